// Names live in the core as the file's single-byte text; the screen shows them
// as Latin-1, so every byte survives the round trip. File names and the
// system's messages about files are not record texts: they go through the
// platform's own encoding.
#pragma once

#include <QFile>
#include <QString>
#include <QStringDecoder>
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

// A path as the platform names it on screen, and back. A name on disk that is
// not in the platform's encoding still shows (its odd bytes as replacement
// characters) instead of stopping the editor.
inline QString PathToQt(const std::filesystem::path& p)
{
#ifdef _WIN32
    return QString::fromStdWString(p.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(p.native()));
#endif
}

inline std::filesystem::path PathFromQt(const QString& s)
{
#ifdef _WIN32
    return std::filesystem::path(s.toStdWString());
#else
    const QByteArray b = QFile::encodeName(s);
    return std::filesystem::path(std::string(b.constData(), static_cast<std::size_t>(b.size())));
#endif
}

// A message of the core or the system that names files ("cannot write PATH:
// reason"): its paths are in the platform's encoding (UTF-8). A text that is no
// UTF-8 holds single-byte record text and is shown as Latin-1.
inline QString SystemTextToQt(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? ToQt(bytes) : text;
}

// The status line's words for characters a record's text could not take.
inline QString DroppedCharactersText(const QString& characters)
{
    return QStringLiteral("Not stored: %1 - the OOB file's texts hold only Latin-1 characters").arg(characters);
}

// Keeps what the file's single-byte text can hold: characters beyond Latin-1,
// typed or pasted, are left out (the rest of a paste goes in) and named by
// charactersDropped, so the window can say which could not be stored.
class Latin1Validator : public QValidator {
    Q_OBJECT
public:
    explicit Latin1Validator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override
    {
        QString kept;
        QString dropped;
        int keptBeforePos = 0;
        const int wasPos = pos;
        for (qsizetype i = 0; i < input.size();) {
            // A character outside the basic plane is two code units and goes as one.
            const qsizetype len = input[i].isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
            const QString c = input.mid(i, len);
            if (len == 1 && c[0].unicode() <= 0xFF) {
                kept += c;
                if (i < wasPos)
                    ++keptBeforePos;
            } else if (!dropped.contains(c)) {
                dropped += dropped.isEmpty() ? c : QLatin1Char(' ') + c;
            }
            i += len;
        }
        if (!dropped.isEmpty()) {
            input = kept;
            pos = keptBeforePos;
            const_cast<Latin1Validator*>(this)->Dropped(dropped);
        }
        return Acceptable;
    }

signals:
    void charactersDropped(const QString& characters);

private:
    void Dropped(const QString& characters) { emit charactersDropped(characters); }
};

}  // namespace brackle
