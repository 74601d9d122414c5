#include "platform/verbatim_ini.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace corvanta::platform {
namespace {

QString escapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u'\\') {
            out += u"\\\\";
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\r') {
            out += u"\\r";
        } else {
            out += c;
        }
    }
    return out;
}

// A backslash before anything but "\", "n" or "r" stays as it is, so a hand-written
// path such as C:\data reads back unchanged.
QString unescapeValue(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == u'\\' || next == u'n' || next == u'r') {
                out += next == u'\\' ? u'\\' : (next == u'n' ? u'\n' : u'\r');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// A settings file is a few kilobytes; anything much larger is something else.
constexpr qint64 kLargestSettingsFile = 1 << 20;

bool readsAsSettings(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line = line.sliced(1).trimmed();
        const bool understood =
            line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') ||
            (line.startsWith(u'[') ? line.contains(u']') : line.indexOf(u'=') > 0);
        if (!understood)
            return false;
    }
    return true;
}

}  // namespace

QString foreignLinkTarget(const QString& path) {
    const QFileInfo link(path);
    if (!link.isSymLink() || !link.exists())
        return {};
    QFile target(link.canonicalFilePath());
    if (link.isFile() && link.size() <= kLargestSettingsFile && target.open(QIODevice::ReadOnly) &&
        readsAsSettings(target.read(kLargestSettingsFile)))
        return {};
    return link.canonicalFilePath();
}

bool readVerbatimIni(QIODevice& device, QSettings::SettingsMap& map) {
    QString text = QString::fromUtf8(device.readAll());
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QString section;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#')) {
            continue;
        }
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            if (close > 0) {
                section = trimmed.sliced(1, close - 1).trimmed().toString();
            }
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QString key = line.first(equals).trimmed().toString();
        if (key.isEmpty()) {
            continue;
        }
        map.insert(section.isEmpty() ? key : section + u'/' + key,
                   unescapeValue(line.sliced(equals + 1)));
    }
    return true;
}

bool writeVerbatimIni(QIODevice& device, const QSettings::SettingsMap& map) {
    // QSettings writes through a QSaveFile named after the settings path, which replaces a
    // link's target: only a settings file may be replaced.
    if (const auto* file = qobject_cast<const QFileDevice*>(&device);
        file != nullptr && !foreignLinkTarget(file->fileName()).isEmpty())
        return false;
    // Keys outside any section come first, then one block per section.
    QString topLevel;
    QMap<QString, QString> sections;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString line = (slash < 0 ? it.key() : it.key().sliced(slash + 1)) + u'=' +
                             escapeValue(it.value().toString()) + u'\n';
        if (slash < 0) {
            topLevel += line;
        } else {
            sections[it.key().first(slash)] += line;
        }
    }
    QString text = topLevel;
    for (auto it = sections.constBegin(); it != sections.constEnd(); ++it) {
        if (!text.isEmpty()) {
            text += u'\n';
        }
        text += QStringLiteral("[%1]\n").arg(it.key()) + it.value();
    }
    const QByteArray bytes = text.toUtf8();
    return device.write(bytes) == bytes.size();
}

QSettings::Format verbatimIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readVerbatimIni, writeVerbatimIni);
    return format;
}

}  // namespace corvanta::platform
