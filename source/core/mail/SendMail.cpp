#include "core/mail/SendMail.h"

#include "core/util/paFormat.h"
#include "core/util/paText.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string_view>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string StripQuotes(std::string text) {
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return Trim(text);
}

// Splits at separators that stand outside quotation marks and angle brackets.
std::vector<std::string> SplitOutsideQuotes(const std::string& text, const std::string& seps) {
    std::vector<std::string> parts;
    std::string current;
    bool quoted = false;
    bool bracket = false;
    for (char c : text) {
        if (c == '"' && !bracket)
            quoted = !quoted;
        else if (c == '<' && !quoted)
            bracket = true;
        else if (c == '>' && !quoted)
            bracket = false;
        if (!quoted && !bracket && seps.find(c) != std::string::npos) {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Texts from data files written on Windows are in its code page, not UTF-8.
std::string Charset(const std::string& text) {
    return IsValidUtf8(text) ? "UTF-8" : "windows-1252";
}

std::string Base64(const std::string& bytes, std::size_t lineLength) {
    static constexpr char table[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve(bytes.size() * 4 / 3 + bytes.size() / 50 + 8);
    std::size_t column = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
        if (n > 1)
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (n > 2)
            v |= static_cast<unsigned char>(bytes[i + 2]);
        out += table[(v >> 18) & 63];
        out += table[(v >> 12) & 63];
        out += n > 1 ? table[(v >> 6) & 63] : '=';
        out += n > 2 ? table[v & 63] : '=';
        column += 4;
        if (lineLength && column >= lineLength) {
            out += "\r\n";
            column = 0;
        }
    }
    if (lineLength && column)
        out += "\r\n";
    return out;
}

// A header word that is not plain ASCII travels encoded.
std::string EncodeHeaderText(const std::string& text) {
    if (IsAscii(text))
        return text;
    return "=?" + Charset(text) + "?B?" + Base64(text, 0) + "?=";
}

std::string QuoteParameter(const std::string& value) {
    std::string out = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string PercentEncode(const std::string& text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '.' || c == '-' || c == '_')
            out += ch;
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string FileNameParameters(const std::string& name) {
    if (IsAscii(name))
        return "filename=" + QuoteParameter(name);
    return "filename*=" + Charset(name) + "''" + PercentEncode(name);
}

std::string DateHeader() {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day ymd(day);
    const hh_mm_ss time(now - day);
    static constexpr std::array<const char*, 7> weekdays = {"Sun", "Mon", "Tue", "Wed",
                                                            "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s, %02u %s %d %02d:%02d:%02d +0000",
                  weekdays[weekday(day).c_encoding()], static_cast<unsigned>(ymd.day()),
                  months[static_cast<unsigned>(ymd.month()) - 1], static_cast<int>(ymd.year()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buffer;
}

std::string RandomToken() {
    std::mt19937_64 random(std::random_device{}());
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%016llx%08llx", static_cast<unsigned long long>(random()),
                  static_cast<unsigned long long>(random() & 0xffffffffULL));
    return buffer;
}

std::string ReadAttachment(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw EMailError(Format(KELVO_TR("SendMail", "Attachment file \"%s\" not found"), {path}));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EMailError(
            Format(KELVO_TR("SendMail", "Attachment file \"%s\" cannot be read"), {path}));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EMailError(
            Format(KELVO_TR("SendMail", "Attachment file \"%s\" cannot be read"), {path}));
    return bytes;
}

} // namespace

std::string RemoveLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

TMailAddress ParseAddress(const std::string& text) {
    const std::string entry = Trim(RemoveLineBreaks(text));
    TMailAddress result;
    const auto open = entry.rfind('<');
    const auto close = open == std::string::npos ? std::string::npos : entry.find('>', open);
    if (open != std::string::npos && close != std::string::npos) {
        result.Address = Trim(entry.substr(open + 1, close - open - 1));
        result.Name = StripQuotes(entry.substr(0, open));
    } else {
        result.Address = entry;
    }
    return result;
}

namespace {

bool IsControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

// Shown in an error: control characters as blanks, so that the message stays one line.
std::string Shown(std::string text) {
    std::replace_if(text.begin(), text.end(), IsControl, ' ');
    return text;
}

bool IsAtomChar(char c) {
    const auto b = static_cast<unsigned char>(c);
    return std::isalnum(b) || b >= 0x80 ||
           std::string_view("!#$%&'*+-/=?^_`{|}~").find(c) != std::string_view::npos;
}

bool IsDomainLabel(std::string_view label) {
    return !label.empty() && std::all_of(label.begin(), label.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return std::isalnum(b) || b >= 0x80 || c == '-';
    });
}

bool IsDotAtom(std::string_view text, bool (*part)(std::string_view)) {
    std::size_t begin = 0;
    for (;;) {
        const std::size_t dot = text.find('.', begin);
        if (!part(text.substr(begin, dot == std::string_view::npos ? dot : dot - begin)))
            return false;
        if (dot == std::string_view::npos)
            return true;
        begin = dot + 1;
    }
}

EMailError NotAnAddress(const std::string& entry) {
    return EMailError("\"" + Shown(entry) + "\" is not an e-mail address");
}

} // namespace

bool IsAddrSpec(const std::string& address) {
    const std::size_t at = address.find('@');
    if (at == std::string::npos || address.find('@', at + 1) != std::string::npos ||
        address.size() > 254)
        return false;
    const std::string_view local = std::string_view(address).substr(0, at);
    const std::string_view domain = std::string_view(address).substr(at + 1);
    auto atoms = [](std::string_view part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), IsAtomChar);
    };
    if (!IsDotAtom(local, atoms))
        return false;
    if (domain.size() > 2 && domain.front() == '[' && domain.back() == ']')
        return std::all_of(domain.begin() + 1, domain.end() - 1, [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':';
        });
    return IsDotAtom(domain, IsDomainLabel);
}

TMailAddress ParseMailbox(const std::string& text) {
    const std::string entry = Trim(text);
    if (std::any_of(entry.begin(), entry.end(), IsControl))
        throw NotAnAddress(entry);
    TMailAddress result;
    const std::size_t open = entry.find('<');
    if (open == std::string::npos) {
        result.Address = entry;
    } else {
        std::string name = Trim(entry.substr(0, open));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
            // A quoted name: backslash escapes, no bare quotation mark inside.
            std::string unquoted;
            for (std::size_t i = 1; i + 1 < name.size(); ++i) {
                if (name[i] == '\\' && i + 2 < name.size())
                    ++i;
                else if (name[i] == '"')
                    throw NotAnAddress(entry);
                unquoted += name[i];
            }
            name = unquoted;
        } else if (name.find_first_of("\"<>") != std::string::npos) {
            throw NotAnAddress(entry);
        }
        const std::size_t close = entry.find('>', open);
        if (close == std::string::npos || close + 1 != entry.size())
            throw NotAnAddress(entry); // nothing may follow the address
        result.Name = name;
        result.Address = entry.substr(open + 1, close - open - 1);
    }
    if (!IsAddrSpec(result.Address))
        throw NotAnAddress(entry);
    return result;
}

std::vector<TMailAddress> ParseMailboxList(const std::string& text) {
    std::vector<TMailAddress> result;
    for (const std::string& part : SplitOutsideQuotes(text, ",;"))
        if (!Trim(part).empty())
            result.push_back(ParseMailbox(part));
    return result;
}

void CheckAddresses(const TMailMessage& message) {
    auto check = [](const TMailAddress& a) {
        if (!IsAddrSpec(a.Address) || std::any_of(a.Name.begin(), a.Name.end(), IsControl))
            throw NotAnAddress(a.Name.empty() ? a.Address : a.Name + " <" + a.Address + ">");
    };
    if (!message.From.Address.empty() || !message.From.Name.empty())
        check(message.From);
    for (const TMailAddress& to : message.To)
        check(to);
}

std::vector<TMailAddress> ParseAddressList(const std::string& text) {
    std::vector<TMailAddress> result;
    for (const std::string& part : SplitOutsideQuotes(RemoveLineBreaks(text), ",;")) {
        TMailAddress address = ParseAddress(part);
        if (!address.Address.empty())
            result.push_back(std::move(address));
    }
    return result;
}

std::string FormatAddress(const TMailAddress& address) {
    if (address.Name.empty())
        return address.Address;
    std::string name = address.Name;
    const bool plain = IsAscii(name) && name.find_first_of("\"\\,;:<>@()[]") == std::string::npos;
    name = plain ? name : (IsAscii(name) ? QuoteParameter(name) : EncodeHeaderText(name));
    return name + " <" + address.Address + ">";
}

std::vector<std::string> SplitAttachments(const std::string& text) {
    const std::string whole = Trim(text);
    std::error_code ec;
    if (!whole.empty() && fs::is_regular_file(whole, ec))
        return {whole};
    std::vector<std::string> names;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';') {
            if (!word.empty())
                names.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        names.push_back(word);
    return names;
}

TMailMessage ComposeMailMessage(const TMailSettings& settings, const std::string& subject,
                                const std::string& recipients, const std::string& body,
                                const std::string& attachments) {
    TMailMessage message;
    if (!Trim(settings.ReplyTo).empty()) {
        try {
            message.From = ParseMailbox(settings.ReplyTo);
        } catch (const EMailError& e) {
            throw EMailError(std::string(KELVO_TR("SendMail", "The reply address ")) + e.what());
        }
    }
    try {
        message.To = ParseMailboxList(recipients);
    } catch (const EMailError& e) {
        throw EMailError(std::string(KELVO_TR("SendMail", "The recipient ")) + e.what());
    }
    message.Subject = RemoveLineBreaks(subject);
    message.Body = body;
    message.Attachments = SplitAttachments(attachments);
    return message;
}

std::string BuildMimeText(const TMailMessage& message) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& path : message.Attachments)
        files.emplace_back(RemoveLineBreaks(fs::path(path).filename().string()),
                           ReadAttachment(path));

    std::ostringstream out;
    out << "Date: " << DateHeader() << "\r\n";
    if (!message.From.Address.empty())
        out << "From: " << FormatAddress(message.From) << "\r\n";
    out << "To: ";
    for (std::size_t i = 0; i < message.To.size(); ++i)
        out << (i ? ",\r\n " : "") << FormatAddress(message.To[i]);
    out << "\r\n";
    out << "Subject: " << EncodeHeaderText(RemoveLineBreaks(message.Subject)) << "\r\n";
    const std::string token = RandomToken();
    out << "Message-ID: <" << token << "@tavrelon.invalid>\r\n";
    out << "MIME-Version: 1.0\r\n";

    const std::string textHeaders = "Content-Type: text/plain; charset=" + Charset(message.Body) +
                                    "\r\nContent-Transfer-Encoding: base64\r\n";
    if (files.empty()) {
        out << textHeaders << "\r\n" << Base64(message.Body, 76);
        return out.str();
    }
    const std::string boundary = "=_tavrelon_" + token;
    out << "Content-Type: multipart/mixed; boundary=\"" << boundary << "\"\r\n\r\n";
    out << "This is a multi-part message in MIME format.\r\n";
    out << "--" << boundary << "\r\n" << textHeaders << "\r\n" << Base64(message.Body, 76);
    for (const auto& [name, bytes] : files) {
        out << "--" << boundary << "\r\n";
        out << "Content-Type: application/octet-stream\r\n";
        out << "Content-Disposition: attachment; " << FileNameParameters(name) << "\r\n";
        out << "Content-Transfer-Encoding: base64\r\n\r\n";
        out << Base64(bytes, 76);
    }
    out << "--" << boundary << "--\r\n";
    return out.str();
}

std::string FormatMailError(const std::string& recipients, const std::string& subject,
                            const std::string& error) {
    return KELVO_TR("SendMail", "Error during sending mail to ") + recipients +
           KELVO_TR("SendMail", " with subject ") + subject + ": \n\r\n\r" + error;
}

bool IsLocalMailServer(const std::string& server) {
    std::string host = Trim(server);
    std::transform(host.begin(), host.end(), host.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    return host == "localhost" || host == "127.0.0.1" || host == "::1";
}

TMailSettings MailSettingsFrom(const TMailOptions& options) {
    TMailSettings settings;
    settings.ConnectionType = options.ConnectionType;
    const TSMTPOptions& smtp = options.SMTPOptions;
    settings.Server = smtp.Server;
    settings.Port = smtp.Port;
    settings.Authentification = smtp.Authentification;
    settings.UserName = smtp.Login.UserName().Value();
    settings.Password = smtp.Login.Password().Value();
    settings.ReplyTo = smtp.ReplyTo;
    settings.AllowInsecureAuth = smtp.AllowInsecureAuth;
    return settings;
}

TMailer::TMailer(IMailTransport* smtp, IMailTransport* mailProgram)
    : smtp_(smtp), mailProgram_(mailProgram) {}

TMailer::~TMailer() = default;

void TMailer::SendMail(const TMailSettings& settings, const std::string& subject,
                       const std::string& recipients, const std::string& body,
                       const std::string& attachments, TFinished finished) {
    IMailTransport* route = nullptr;
    if (settings.ConnectionType == ecSMTP)
        route = smtp_;
    else if (settings.ConnectionType == ecMAPI)
        route = mailProgram_;
    else
        return;

    // The callbacks may come after this mailer is gone; they then only release themselves.
    std::weak_ptr<int> alive = pending_;
    auto onError = OnError;
    auto report = [alive, onError, recipients, subject,
                   finished = std::move(finished)](const std::string& error) {
        if (auto pending = alive.lock())
            --*pending;
        if (!error.empty() && onError)
            onError(FormatMailError(recipients, subject, error));
        if (finished)
            finished(error);
    };
    ++*pending_;
    if (!route) {
        report(KELVO_TR("SendMail", "No route for outgoing mail is available"));
        return;
    }

    // The window goes when the send is over, whoever still holds the progress callback.
    auto window = std::make_shared<std::unique_ptr<IMailProgress>>();
    if (route == smtp_ && CreateProgress)
        *window = CreateProgress();
    try {
        route->Send(
            settings, ComposeMailMessage(settings, subject, recipients, body, attachments),
            [window](int percent) {
                if (*window)
                    (*window)->SetProgress(percent);
            },
            [window, report](const std::string& error) {
                window->reset();
                report(error);
            });
    } catch (const std::exception& e) {
        window->reset();
        report(e.what());
    }
}

std::vector<TMailAddress> ParseRecipientEntries(const std::string& text) {
    return ParseAddressList(text);
}

std::string FormatRecipients(const std::vector<TMailAddress>& recipients) {
    std::string out;
    for (const TMailAddress& r : recipients) {
        if (!out.empty())
            out += "; ";
        if (!r.Name.empty() && !r.Address.empty())
            out += "\"" + r.Name + "\" <" + r.Address + ">";
        else
            out += r.Name + r.Address;
    }
    return out;
}

std::vector<TMailAddress> CollectKnownAddresses(const IKnownAddresses& known) {
    std::vector<TMailAddress> result;
    std::set<std::string> seen;
    for (const std::string& text : known.RecipientTexts()) {
        for (TMailAddress& address : ParseAddressList(text)) {
            std::string key = address.Address;
            std::transform(key.begin(), key.end(), key.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (seen.insert(key).second)
                result.push_back(std::move(address));
        }
    }
    return result;
}

bool AddressBook(std::string& text, const IKnownAddresses& known, IAddressPicker& picker) {
    std::vector<TMailAddress> chosen = ParseRecipientEntries(text);
    if (!picker.Pick(CollectKnownAddresses(known), chosen))
        return false;
    text = FormatRecipients(chosen);
    return true;
}

} // namespace kelvo
