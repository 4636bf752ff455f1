#pragma once

#include "core/options/paAppIni.h"

#include <QString>
#include <memory>

class QSettings;

namespace kelvo {

// The settings store over QSettings in its native format. The application key
// "\Organization\Application" names the store ("\Brennikor\Tavrelon MP3"); sections are
// groups, the empty section is the top level.
//
// The native format on Linux keeps text only, so each value kind has its own form:
//   text     as written; a text starting with "dword:" or "sz:" is stored behind "sz:"
//   integer  "dword:" and 8 hexadecimal digits of the 32-bit pattern, as a registry
//            export writes it ("dword:0000000f")
//   binary   Qt's byte array form; lists and other typed values read as binary too
// The file is readable by its owner only. A file that cannot be parsed is kept beside it
// as ".unreadable" and replaced by what could be read of it, so saving works again.
class TAppIniReg : public TAppIni {
public:
    explicit TAppIniReg(std::string appKey = "\\Brennikor\\Tavrelon MP3");
    ~TAppIniReg() override;

    // The settings file in use, empty while the store is closed.
    std::string FileName() const;

protected:
    void DoOpen(const std::string& appKey) override;
    void DoClose() noexcept override;
    bool DoFlush() override;
    std::optional<TIniValue> DoRead(const std::string& section, const std::string& name) override;
    bool DoWrite(const std::string& section, const std::string& name,
                 const TIniValue& value) override;
    bool DoDelete(const std::string& section, const std::string& name) override;

private:
    void Connect();
    void RecoverUnreadableFile();
    void RestrictFileMode() const;

    QString organization_;
    QString application_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace kelvo
