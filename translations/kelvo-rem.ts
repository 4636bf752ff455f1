<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>DataFile</name>
    <message>
        <source>Illegal format of event&apos;s file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;not read </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is new version of event&apos;s file. Try read?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event&apos;s file of a newer version was not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error in event&apos;s file
<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read template&apos;s file: Bad file format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not read version of template&apos;s file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is new version of template&apos;s file. Try read?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The template&apos;s file of a newer version was not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error in template&apos;s file:<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataFileCommands</name>
    <message>
        <source>Error during loading data files:
<byte value="xd"/>%s
<byte value="xd"/>
<byte value="xd"/>Use &quot;New&quot; or &quot;Open&quot; menu item for loading data files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving event file
<byte value="xd"/> %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save Data Files to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
Error: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Tempalates and Events are saved in files: 
<byte value="xd"/>
<byte value="xd"/>%s
<byte value="xd"/>%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location of Data file changed to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
<byte value="xd"/>Use &quot;File|Data Files|New and Save as&quot; menu item for creating new data files.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DateCondition</name>
    <message>
        <source>On %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>forever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>starting from %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every day %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %d day(s) %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No day of week selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every week on %s %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %d week(s) on %s %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every month on %s %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %d month(s) on %s %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No months selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every year on %s of %s %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %d year(s) on %s of %s %s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventAction</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send email to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>repeat %d time(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>repeat %d minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play media file &quot;%s&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play random CD track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play CD track </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventState</name>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snoozed on %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Executed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Executed reminder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventTemplate</name>
    <message>
        <source>Template &quot;%s&quot; always exist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InitializeCondition</name>
    <message>
        <source>Initialize condition is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d year(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d month(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d day(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListDateText</name>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s day(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RelativeCondition</name>
    <message>
        <source>%d minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d day(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d week(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d month(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d year(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Once on %s before event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %s from %s before event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %s from %s before event until %s before event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %s from %s before event %d times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until %s before event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemNotebook</name>
    <message>
        <source>These events can not be registered and will not arise:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReminderInitializeCondition</name>
    <message>
        <source>at the same time as the event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemindersGenerator</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SafeSave</name>
    <message>
        <source>Cannot write </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot replace </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is larger than 1 GiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t figure out filename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot rename </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> to </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SendMail</name>
    <message>
        <source>Attachment file &quot;%s&quot; not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attachment file &quot;%s&quot; cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The reply address </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recipient </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error during sending mail to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> with subject </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No route for outgoing mail is available</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateFile</name>
    <message>
        <source>Can not read node type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bad saved template type %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not read abs index of template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not read parent index of template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not read template properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected class of loaded object %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template must have name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template &quot;%s&quot; always exist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeCondition</name>
    <message>
        <source>All the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from %s to %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %d minute(s) %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %d hour(s) %s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TActionDialogForm</name>
    <message>
        <source>Choose action...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TActionFrame</name>
    <message>
        <source>B&amp;eep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &amp;file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &amp;CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playing PS speaker melody or media file. <byte value="xd"/>
It can be customized in the Media page of the Options dialog.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Test beep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test beep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use custom volume settings:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use custom volume settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop playback on alarm window clo&amp;se</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop playback on alarm window close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multimedia file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for a multimedia file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sh&amp;uffle play list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shuffle play list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &amp;multimedia file located at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from CD &amp;track:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Random CD track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program or document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for a program or document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the startup directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Launch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Program or document (specify &quot;http://&quot; prefix for Web pages):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arguments:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup &amp;directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attach</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for an attachment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send &amp;now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sub&amp;ject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atta&amp;ch:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send the following message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send the following message:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the computer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All supported types (*.mp3 *.mp2 *.mpg *.m3u *.pls *.wav *.mid *.rmi *.avi *.dat);;MP3 songs (*.mp3 *.mp2 *.mpg);;MP3 collections (*.m3u *.pls);;Wave audio (*.wav);;MIDI files (*.mid *.rmi);;Video (*.avi *.dat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Any file (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose directory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TActionListFrame</name>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete action</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TAddressBookDialog</name>
    <message>
        <source>Address Book</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TAlarmMessageForm</name>
    <message>
        <source>minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mounth(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> day(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Snooze for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Early reminder about &quot;%s&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s [overdue]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> until event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started at %s on %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound &quot;%1&quot; cannot be played.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TConditionDialogForm</name>
    <message>
        <source>Choose Date/Time...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TConditionListFrame</name>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Further conditions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TDM</name>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TDateComplexExcludeForm</name>
    <message>
        <source>Exclude...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excluding dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TDateDialogForm</name>
    <message>
        <source>Choose date...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TDateFrame</name>
    <message>
        <source>Select months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Annually</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comple&amp;x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week(s) on this day(s):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set a complex date by adding simple dates in the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the excluding dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exclude...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the excluding dates if necessary:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;repeat…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ever&amp;y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TDateUntilForm</name>
    <message>
        <source>Repeat...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Forever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Until date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Times</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TEditorDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TErrorReportForm</name>
    <message>
        <source>Use Ctrl+C to copy the report to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please tell us about the problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error report has been generated that can be send to us. If the Send button does not work, please copy the report to clipboard and paste it in your message.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send the report using default mail client</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Don&apos;t send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the report to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the report &gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the report details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the report &lt;&lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application encountered an unusual situation.<byte value="xd"/>
It&apos;s not a serious problem, you can continue your work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application encountered a problem and might become unstable and even useless.<byte value="xd"/>
It&apos;s recommended that you save your work and close this application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This error happened when I ...<byte value="xd"/>
<byte value="xd"/>
Is the error reproducible? (Y/N) ...<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> could not be started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ended with code </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error report sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The error report was not sent. Would you like to open support web page in your browser?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TEventForm</name>
    <message>
        <source>Date/Time:DATE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action:ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder:REMIND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options:OPTIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summary:SUMMARY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> When will the event come?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More conditions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More conditions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> What to do when the event comes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this &amp;message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(the first line is used as the event description)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do this &amp;action:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do the additional actions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do the additional actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Would you like to be reminded before the event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rem&amp;ind me before this event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More reminder conditions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More reminder conditions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show alarm window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>And do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the event actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the following reminder actions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;And do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify icon which will present this event in the events list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete this event after &amp;last execution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Execute action if missed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compute date after first occurence (a&amp;ge calculation)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hidden event (don&apos;t display event on calendar)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default snooze for this event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snooze unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default &amp;snooze for this event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Message Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &amp;Window Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show alarm window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do the event actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t remind me before this event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TEventListModel</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TIconChoiceForm</name>
    <message>
        <source>Change Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for an icon file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select an &amp;icon from the list below:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon files (*.ico *.dll *.png *.svg *.bmp *.xpm);;Any file (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TMainForm</name>
    <message>
        <source>Tavrelon MP3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to unload Tavrelon MP3 and disable reminders?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes cannot be saved until the data files can be written. Use &quot;File|Data Files|Save As...&quot; to save them elsewhere.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 damaged record(s) could not be read and were left out of %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 ended early: it was cut short, and what followed is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file as it was read is kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No copy of the file as it was read could be kept, so it is not saved over until one can be made:
<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 damaged record(s) could not be read and were left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Location...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;&amp; Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enable All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable &amp;Sound Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable All Actions &amp;except Alarm Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable &amp;All Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Data Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Data Files as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open existing data files with events and templates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavrelon MP3 files (*.evn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sheduled event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next event: &quot;%s&quot; at %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s event(s), %s listed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TOptionsDlgForm</name>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TProgressForm</name>
    <message>
        <source>Email sending...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TReminderConditionListFrame</name>
    <message>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Further reminders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TReminderDateDialogForm</name>
    <message>
        <source>Choose reminder condition...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TReminderDateFrame</name>
    <message>
        <source>Lead time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lead time unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time of reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time of reminder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat period unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat until</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder repeat...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>before event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TReminderTimeForm</name>
    <message>
        <source>Time of reminder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distinct from the time of event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TReminderUntilForm</name>
    <message>
        <source>Reminder repeat...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>before event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until &amp;event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Until</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Times</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TSimpleConditionFrame</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TTimeDialogForm</name>
    <message>
        <source>Choose time...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TTimeFrame</name>
    <message>
        <source>A&amp;ll the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On&amp;ce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M&amp;inutely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hourly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compl&amp;ex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as soon as possible in the given day.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hour(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set a complex time by adding simple times in the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TpaColorButton</name>
    <message>
        <source>Button face</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Olive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Navy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Silver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Money green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sky blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Other...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>paClasses</name>
    <message>
        <source>Objects are nested too deeply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stream is too damaged to be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expected prefix %s but %s found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading prefix is illegal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Class %s not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected class %s where %s belongs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expected end of class %s but dind %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not exist property %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date-time of property %s is out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown type of property %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expected end of block %s but %s found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>paDateUtils</name>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>paMPEGPlay</name>
    <message>
        <source>MPEG library not loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal decoder error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incorrect mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input stream error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input stream is non-seekable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output device failure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown decoder error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t load MPEG library</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
