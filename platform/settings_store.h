#pragma once

#include <QMap>
#include <QSettings>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/error.h"

namespace corvanta::platform {

// Settings that could not be kept. `notSettings`: the settings path is a link to a file that
// is not a settings file, left whole; otherwise the file could not be written. `path` names
// the file as the user knows it ("link → target" for a link).
class SettingsError : public Error {
  public:
    SettingsError(bool notSettings, QString path, const std::string& description)
        : Error(75, "Settings store", description),
          notSettings_(notSettings),
          path_(std::move(path)) {}
    bool notSettings() const noexcept { return notSettings_; }
    const QString& path() const noexcept { return path_; }

  private:
    bool notSettings_;
    QString path_;
};

// The per-user settings store: one INI file whose sections, keys and values are kept
// exactly as written ("GENERAL", "Date MES", "Nom(1)", a value " 7" with its blank).
// Values are texts; the program never deletes or lists keys.
//
// A symbolic link is followed to a settings file, and the target rewritten in place. A link
// to anything else (a database, a picture, a folder: see foreignLinkTarget) is refused: that
// file is never read nor written, and the store keeps its values for the run only.
class SettingsStore {
  public:
    // The user's store: $XDG_CONFIG_HOME/Corvanta/Corvanta.ini (~/.config when unset).
    SettingsStore();
    // A store kept in the given file (created at the first sync that has something to write).
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString defaultFilePath();
    QString filePath() const;

    // The stored text, or defaultValue when the key does not exist.
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    // A stored number; defaultValue when the key is missing or does not hold a number
    // of that width.
    std::int16_t readInt16(const QString& section, const QString& key,
                           std::int16_t defaultValue) const;
    std::int32_t readInt32(const QString& section, const QString& key,
                           std::int32_t defaultValue) const;

    // Replaces or creates the key. A section or key name that the file cannot hold
    // (empty, or holding "/", "\", "=", "[", "]" or a line break) is a corvanta::Error.
    void write(const QString& section, const QString& key, const QString& value);

    // Writes pending changes to the file. A failed write is a SettingsError: notSettings when
    // the link now leads to a file that is not a settings file, which is said once (the
    // store then keeps its values for the run only and later syncs do nothing).
    void sync();

    // The refused file, as SettingsError names it ("link → target"); empty while the store
    // keeps its file.
    const QString& refusedFile() const { return refused_; }

  private:
    void refuse(const QString& target);

    QString path_;
    std::unique_ptr<QSettings> settings_;  // none once the file is refused
    QMap<QString, QString> forRunOnly_;    // what is written once the file is refused
    QString refused_;
};

// A stored number: digits with an optional minus sign, blanks allowed around them.
// Empty when the text is no such number or lies outside the range asked for.
std::optional<std::int16_t> parseStoredInt16(const QString& text);
std::optional<std::int32_t> parseStoredInt32(const QString& text);

// The two stored forms of a number: " 7", " 0", "-1" (leading blank when not negative),
// and plain "7", "-1".
QString formatWithLeadingBlank(std::int32_t value);
QString formatPlain(std::int32_t value);

}  // namespace corvanta::platform
