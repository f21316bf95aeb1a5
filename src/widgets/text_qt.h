// Names live in the core as the file's single-byte text; the screen shows them
// as Latin-1, so every byte survives the round trip.
#pragma once

#include <QString>
#include <QValidator>
#include <filesystem>
#include <string>

namespace brackle {

inline QString ToQt(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text)
{
    const QByteArray b = text.toLatin1();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

inline QString PathToQt(const std::filesystem::path& p)
{
    return QString::fromStdU16String(p.u16string());
}

inline std::filesystem::path PathFromQt(const QString& s)
{
    return std::filesystem::path(s.toStdU16String());
}

// Refuses characters the file's single-byte text cannot hold.
class Latin1Validator : public QValidator {
public:
    explicit Latin1Validator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int&) const override
    {
        for (QChar c : input) {
            if (c.unicode() > 0xFF)
                return Invalid;
        }
        return Acceptable;
    }
};

}  // namespace brackle
