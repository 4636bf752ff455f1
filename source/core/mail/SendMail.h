#pragma once

#include "core/options/MailOptions.h"
#include "core/util/paError.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

class EMailError : public EpaError {
public:
    using EpaError::EpaError;
};

// The values of the mail settings one send needs, copied so that a send under way is not
// touched by a change of the settings.
struct TMailSettings {
    TOutgoingEmailConnection ConnectionType = ecMAPI;
    std::string Server;
    int Port = 25;
    bool Authentification = false;
    std::string UserName;
    std::string Password;
    std::string ReplyTo;
    // A login may go out unencrypted to a server other than this machine.
    bool AllowInsecureAuth = false;
};

TMailSettings MailSettingsFrom(const TMailOptions& options);

struct TMailAddress {
    std::string Name;
    std::string Address;
    bool operator==(const TMailAddress&) const = default;
};

struct TMailMessage {
    TMailAddress From;
    std::vector<TMailAddress> To;
    std::string Subject;
    std::string Body;
    std::vector<std::string> Attachments;
};

// Header text must stay on one line: carriage returns and line feeds are dropped.
std::string RemoveLineBreaks(const std::string& text);

// "a@b.c, Name <d@e.f>, \"Last, First\" <g@h.i>": commas or semicolons outside quotation
// marks and angle brackets separate the addresses.
std::vector<TMailAddress> ParseAddressList(const std::string& text);
TMailAddress ParseAddress(const std::string& text);
std::string FormatAddress(const TMailAddress& address);

// What goes out is parsed strictly, so that nothing but an address reaches the server: an
// entry is a bare address, "<address>", or a display name (plain or in quotation marks)
// followed by "<address>", with nothing after the ">" and no control characters anywhere.
// Anything else throws EMailError; empty entries of a list are skipped.
TMailAddress ParseMailbox(const std::string& entry);
std::vector<TMailAddress> ParseMailboxList(const std::string& text);
// local-part@domain of plain characters: no blanks, brackets, quotes or control characters.
bool IsAddrSpec(const std::string& address);
// Throws EMailError when the message's sender or a recipient is not such an address, so that
// a transport never hands a server anything else.
void CheckAddresses(const TMailMessage& message);

// The files an attachments text names: one existing file when the whole text is one (even
// with blanks), else the words between runs of blanks, tabs, line breaks, commas and
// semicolons.
std::vector<std::string> SplitAttachments(const std::string& text);

// The reply address and the recipients are parsed with ParseMailbox(List): what is not an
// address throws EMailError.
TMailMessage ComposeMailMessage(const TMailSettings& settings, const std::string& subject,
                                const std::string& recipients, const std::string& body,
                                const std::string& attachments);

// The whole message as it goes to the server: headers, the text, each attachment as its
// own part with its file name. Reads the attachments; a missing one throws EMailError.
std::string BuildMimeText(const TMailMessage& message);

// The text of the error box of a failed send.
std::string FormatMailError(const std::string& recipients, const std::string& subject,
                            const std::string& error);

// The server is this machine by name: "localhost", "127.0.0.1" or "::1" (in brackets or not).
bool IsLocalMailServer(const std::string& server);

// The window that shows how far one send has come (0 to 100); destroyed when it is over.
class IMailProgress {
public:
    virtual ~IMailProgress() = default;
    virtual void SetProgress(int percent) = 0;
};

// One route of outgoing mail. Send returns at once; progress and done are called later on
// the one thread. done gets an empty text on success, otherwise the error's message.
class IMailTransport {
public:
    virtual ~IMailTransport() = default;
    virtual void Send(const TMailSettings& settings, TMailMessage message,
                      std::function<void(int percent)> progress,
                      std::function<void(const std::string& error)> done) = 0;
};

// Sends the messages of the send-mail actions by the chosen route. Sending never blocks
// and never throws: a failure goes to OnError, once per message.
class TMailer {
public:
    TMailer(IMailTransport* smtp, IMailTransport* mailProgram);
    ~TMailer();
    TMailer(const TMailer&) = delete;
    TMailer& operator=(const TMailer&) = delete;

    using TFinished = std::function<void(const std::string& error)>;

    void SendMail(const TMailSettings& settings, const std::string& subject,
                  const std::string& recipients, const std::string& body,
                  const std::string& attachments, TFinished finished = {});
    int Pending() const { return *pending_; }

    std::function<std::unique_ptr<IMailProgress>()> CreateProgress;
    std::function<void(const std::string& text)> OnError;

private:
    IMailTransport* smtp_;
    IMailTransport* mailProgram_;
    std::shared_ptr<int> pending_ = std::make_shared<int>(0);
};

// Where the address book finds the addresses already in use.
class IKnownAddresses {
public:
    virtual ~IKnownAddresses() = default;
    virtual std::vector<std::string> RecipientTexts() const = 0;
};

// Lets the user choose recipients among offered, starting from chosen; false when cancelled.
class IAddressPicker {
public:
    virtual ~IAddressPicker() = default;
    virtual bool Pick(const std::vector<TMailAddress>& offered,
                      std::vector<TMailAddress>& chosen) = 0;
};

// The entries of a recipients text as the address book reads them.
std::vector<TMailAddress> ParseRecipientEntries(const std::string& text);
// Recipients written back: "\"Name\" <address>" or the one that is given, joined by "; ".
std::string FormatRecipients(const std::vector<TMailAddress>& recipients);
// Every distinct address used in known, in order of first use.
std::vector<TMailAddress> CollectKnownAddresses(const IKnownAddresses& known);
// Offers the known addresses and replaces text by the chosen ones; false leaves text alone.
bool AddressBook(std::string& text, const IKnownAddresses& known, IAddressPicker& picker);

} // namespace kelvo
