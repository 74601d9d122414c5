#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <limits>

#include "platform/error.h"
#include "platform/verbatim_ini.h"

namespace corvanta::platform {
namespace {

const char kSource[] = "Settings store";

bool isStorableName(const QString& name) {
    if (name.trimmed().isEmpty() || name.trimmed() != name) {
        return false;
    }
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u'=' || c == u'[' || c == u']' || c.unicode() < 0x20) {
            return false;
        }
    }
    return true;
}

std::optional<std::int64_t> parseStoredInteger(const QString& text, std::int64_t low,
                                               std::int64_t high) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    const bool negative = trimmed.startsWith(u'-');
    if (negative) {
        i = 1;
    }
    if (i == trimmed.size()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > high + 1) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultFilePath()) {}

SettingsStore::SettingsStore(const QString& filePath) : path_(filePath) {
    if (const QString target = foreignLinkTarget(filePath); !target.isEmpty()) {
        refuse(target);
        return;
    }
    settings_ = std::make_unique<QSettings>(filePath, verbatimIniFormat());
    // QSettings writes through QSaveFile: the file is replaced whole or not at all.
    settings_->setAtomicSyncRequired(true);
}

void SettingsStore::refuse(const QString& target) {
    refused_ = path_ + QStringLiteral(" → ") + target;
    // Its last write on the way out is refused by the format's writer.
    settings_.reset();
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Corvanta/Corvanta.ini");
}

QString SettingsStore::filePath() const {
    return path_;
}

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const QString name = section + u'/' + key;
    if (!settings_)
        return forRunOnly_.value(name, defaultValue);
    const QVariant value = settings_->value(name);
    return value.isValid() ? value.toString() : defaultValue;
}

std::int16_t SettingsStore::readInt16(const QString& section, const QString& key,
                                      std::int16_t defaultValue) const {
    return parseStoredInt16(read(section, key)).value_or(defaultValue);
}

std::int32_t SettingsStore::readInt32(const QString& section, const QString& key,
                                      std::int32_t defaultValue) const {
    return parseStoredInt32(read(section, key)).value_or(defaultValue);
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) {
    if (!isStorableName(section) || !isStorableName(key)) {
        throw Error(5, kSource,
                    QStringLiteral("The setting [%1] %2 cannot be stored: the name is not valid.")
                        .arg(section, key)
                        .toStdString());
    }
    if (settings_)
        settings_->setValue(section + u'/' + key, value);
    else
        forRunOnly_.insert(section + u'/' + key, value);
}

void SettingsStore::sync() {
    if (!settings_)
        return;
    // QSettings does not create the folder of a file given by path.
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw SettingsError(
            false, path_,
            QStringLiteral("The settings folder %1 cannot be created.").arg(folder).toStdString());
    }
    settings_->sync();
    if (settings_->status() != QSettings::AccessError)
        return;
    if (const QString target = foreignLinkTarget(path_); !target.isEmpty()) {
        refuse(target);
        throw SettingsError(
            true, refused_,
            (refused_ + QStringLiteral(": not a settings file, left as it is.")).toStdString());
    }
    throw SettingsError(
        false, path_,
        QStringLiteral("The settings cannot be written to %1.").arg(path_).toStdString());
}

std::optional<std::int16_t> parseStoredInt16(const QString& text) {
    const auto value = parseStoredInteger(text, std::numeric_limits<std::int16_t>::min(),
                                          std::numeric_limits<std::int16_t>::max());
    return value ? std::optional<std::int16_t>(static_cast<std::int16_t>(*value)) : std::nullopt;
}

std::optional<std::int32_t> parseStoredInt32(const QString& text) {
    const auto value = parseStoredInteger(text, std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max());
    return value ? std::optional<std::int32_t>(static_cast<std::int32_t>(*value)) : std::nullopt;
}

QString formatWithLeadingBlank(std::int32_t value) {
    return value >= 0 ? u' ' + QString::number(value) : QString::number(value);
}

QString formatPlain(std::int32_t value) {
    return QString::number(value);
}

}  // namespace corvanta::platform
