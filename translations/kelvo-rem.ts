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
    <message>
        <source>Bold </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italic </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strikeout </source>
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
    <name>TCalDavSyncRunner</name>
    <message>
        <source>Events changed here and on the CalDAV server were kept twice: the server&apos;s version in place and yours as a copy beside it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TEventListModel</name>
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
    <name>TExchangeCommands</name>
    <message>
        <source>Backup..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select directory for backup files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export to file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events files (*.evn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comma Separated Values (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore from events and templates files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup files (kelvo-backup.evn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temporary saved files (*.~ev saving\ of*.evn before*.evn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavrelon MP3 files (*.evn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holidays files (*.hld)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temporary saved files (*.~ev)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holidays file (*.hld)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The arriving events start programs or send mail:
%1

Keep these actions? &quot;No&quot; removes them from these events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not everything in %1 could be imported:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backuping is successfull. Information saved to files:
<byte value="xd"/>
<byte value="xd"/>%1
<byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore the templates and events from %1?

The current ones are kept as &quot;%2.evn&quot; and &quot;%2.tpl&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty event list. Nothing to export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
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
    <name>kelvo::TAboutForm</name>
    <message>
        <source>GNU Lesser General Public License v3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNU Lesser General Public License v2.1 or later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNU Lesser General Public License v2.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>curl license (MIT/X style)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIT/X11 license</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made with these libraries:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Libraries and their licences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Licence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
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
    <name>kelvo::TAlarmWindows</name>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TCalDavOptionsFrame</name>
    <message>
        <source>&amp;Server address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template of the synced events:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync &amp;every:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only when asked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the password is kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking the desktop&apos;s secret store for the password...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No secret store answers on this desktop: the password is not kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking the server for its calendars...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server lists no calendar at this address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendars found: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TCalDavStatusPanel</name>
    <message>
        <source>CalDAV: failed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV: synced %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click for what the last CalDAV sync moved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV: not synced yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV: syncing...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TCalDavSyncWindow</name>
    <message>
        <source>to the server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from the server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed on both sides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sync at %1 failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Synced at %1, changes: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outcome of the last sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the last sync moved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync &amp;now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syncing with the CalDAV server...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sync has run since the program started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TCalendarAccessible</name>
    <message>
        <source>Reminder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, no events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 event(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, today</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TColumnSetupDialog</name>
    <message>
        <source>Setup columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
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
    <name>kelvo::TDeleteTemplateQuestionForm</name>
    <message>
        <source>Delete template &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete only template without events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete template and coresponding events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel deletion</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TDrawCalendar</name>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Quick Event in the selected day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Event in the selected &amp;day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;First date of this Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;Next date of this Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select this Event on the Templates view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Toda&amp;y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go to Date...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Event by Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This last occurence of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event never appear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event Properties: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
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
    <name>kelvo::TEventCommands</name>
    <message>
        <source>New Event by template &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate event &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event Properties: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete these %1 event(s)?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The search is completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event not present on calendar because it&apos;s initialize condition is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete template &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template Properties: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TEventFilterPanel</name>
    <message>
        <source>Fro&amp;m:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;nd:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here to choose template for filtering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter by specified template (press Ctrl+Del to clear)</source>
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
    <name>kelvo::TFavouritesBar</name>
    <message>
        <source>Favorite Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag and drop template on this toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[no templates]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite Templates names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove this Template from Favorites</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TFindEventDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find what</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TGoToForm</name>
    <message>
        <source>Go to...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Toda&amp;y</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TGotoDateDialog</name>
    <message>
        <source>Go to Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::THelp</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::THotKeyEdit</name>
    <message>
        <source>None</source>
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
    <name>kelvo::TImportEventsForm</name>
    <message>
        <source>Import events...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import events from the file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import events from the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the file to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &amp;to import events to corresponding template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If corresponding template is not found, move the event to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template for events without their own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the template for events without their own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import &amp;all events in the following template:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template for all imported events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the template for all imported events</source>
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
    <message>
        <source>Choose template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file to import events from.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TListViewSetupForm</name>
    <message>
        <source>Columns settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the columns that you would like to make visible. Use Move Up and Move Down buttons to reorder the columns.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width of selected column (in pixels): </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width of selected column (in pixels)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TMailOptionsFrame</name>
    <message>
        <source>Connection type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use MAPI program (like Outlook)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sends message directly (SMTP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sends message via a MAPI-compliant email program such as Outlook or Outlook Express</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Server (SMTP):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server &amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;From address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server requires &amp;authentification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Login name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password kept in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow the login over an &amp;unencrypted connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without it the password goes only to this machine or over an encrypted connection (STARTTLS or port 465).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;send a test message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send a test message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sends a message to the From address with these settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No secret store runs on this desktop: the password is kept in the settings file, which only you can read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking the desktop&apos;s secret store for the password...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the password from the desktop&apos;s secret store...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending the test message to %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavrelon MP3 test message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This message was sent from the options of Tavrelon MP3 to test the mail settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The test message was sent to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The test message could not be sent: %1</source>
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
        <source>Next event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More commands</source>
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
        <source>&amp;Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the templates and their events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event Fi&amp;lter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the events of a period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show all events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the main panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard &amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the standard toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Favorite Templates bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the favorite templates bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the split of the Templates page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the split of the Calendar page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&amp;arge icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Small icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the look of the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup columns...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the columns of the list and their order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the events in the calendar as icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the events in the calendar as lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Toda&amp;y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show today in the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go to Date...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show a date in the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the program&apos;s options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename the selected event or template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the selected event or template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the selected event or template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected event to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the copied event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add copy of selected Event...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a copy of the selected event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;set Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable the snoozed or executed event again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Execute event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the selected event&apos;s actions now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find an event by its name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the next matching event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete all events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete every event of the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select this Event on the Templates view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the selected event with its template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this Event on &amp;Calendar view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the selected event in the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Quick Event...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event that arises soon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;5 minutes...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event in 5 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1&amp;0 minutes...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event in 10 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;15 minutes...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event in 15 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;30 minutes...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event in 30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 &amp;hour...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event in one hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tomorrow morning...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event for tomorrow morning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Event by the selected &amp;Template...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event by the selected template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Tem&amp;plate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Explore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the template&apos;s events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the template above</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add To &amp;Favorite Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the selected template on the favorite templates bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the template up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the template down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the template one level up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rigth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the template under the one above it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove Template from Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the template from the favorite templates bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Quick Event in the selected day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a quick event on the selected day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Event in the selected &amp;day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an event on the selected day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;Next date of this Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the event&apos;s next date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;First date of this Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the event&apos;s first date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the selected event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview the calendar or the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar Preview...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview the calendar for printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Event List Preview...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview the event list for printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holidays...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import holidays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export event list...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back up the data files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore the data files from a backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick &amp;Tutorial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the tutorial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip of the Day...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show a tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the program&apos;s version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What&apos;s new...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What is new in this version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other products from Brennikor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavrelon MP3 page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FAQ - Frequently Asked Questions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support - Contact us to get support or give suggestions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wish list - request new feature of Tavrelon MP3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Newsletter - join our mailing list get announcements of new product</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current &amp;day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events of today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current &amp;week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events of this week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current &amp;month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events of this month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t filter events by time period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter the events again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the favorite templates bar shows the templates&apos; names</source>
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
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Quick Event In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Event by Favorite Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the Web</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite Template&apos;s caption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite Templates names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the main panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Event Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> All Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Horizontal</source>
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
    <name>kelvo::TMemberList</name>
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
    <name>kelvo::TOptionsForm</name>
    <message>
        <source>Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font:FONT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color:COLOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Behaviour:BEHAVIOUR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media:MEDIA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup:STARTUP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard:KEYBOARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail:MAIL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV:CALDAV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Factory settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Template tree items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Events view items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Calendar header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Calendar items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Background colors in Templates view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event list background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Background colors in Calendar view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odd months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Even months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Background colors in Filter view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Background colors in All events view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show tray &amp;icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hide from taskbar when minimized</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show templates in event list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bold template with events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it checked then templates with events will shown by bold font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;reminders in calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it checked then the reminders will be shown in the calendar by blended icon if there is no event already in this day </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First day of week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Minimizing options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Templates view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Calendar view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify player for playing audio files (MP3, WAV, CD Audio, etc.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &amp;built-in media player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &amp;WinAmp for MP3 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use internal media player for playing files and cd disks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify where WinAmp executable is located:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto &amp;Detect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use WA&amp;V file for playing beep sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beep file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse beep file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Media options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Beep action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check this option to put program in the startup menu and make it available each time Windows startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run at Windows startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go directly into the tray on startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Run at Windows startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop does not let programs take keys for themselves (as under Wayland): the shortcuts below work only in an X11 session.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hot keys unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc minimizes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If checked, then ESC minimizes program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Minimization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt + </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Win +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Instant activation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pressing this combination anywhere will restore minimized program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Add Quick event shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pressing this combination anywhere will show New Quick Event Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Add Event by selected Template shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pressing this combination anywhere will show Choose Template dialogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Mail option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> CalDAV account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beep sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound files (*.wav *.mid *.mp3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choice WinAmp program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No media player that can be driven over MPRIS was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Detect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media players installed on this computer:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TPageList</name>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TPreviewForm</name>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;v. Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to &amp;Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit to page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit to width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit to height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages printed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages cannot be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty event list. Nothing to print.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TPrintEventList</name>
    <message>
        <source>Failed to print grid!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TPrintMonthCalendar</name>
    <message>
        <source>+%1 more</source>
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
    <name>kelvo::TQuickEventForm</name>
    <message>
        <source>Create Quick Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Once &amp;after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay</source>
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
        <source>Unit of the delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;nce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times of day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
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
    <name>kelvo::TTemplateChoiceForm</name>
    <message>
        <source>Choose Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[no template]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TTemplateTreeView</name>
    <message>
        <source>Templates</source>
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
</context>
<context>
    <name>kelvo::TTipsForm</name>
    <message>
        <source>Tip of the Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show tips at startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TTrayHintForm</name>
    <message>
        <source>Next event:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today&apos;s upcoming events:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TTrayIcon</name>
    <message>
        <source>&amp;Alarm Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Quick Event in...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Event by Favorite Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the &amp;Web</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close this menu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvo::TpaColorButton</name>
    <message>
        <source>&amp;Other...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colors</source>
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
        <source>Reading prefix is illegal</source>
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
