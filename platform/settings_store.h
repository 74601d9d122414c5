#pragma once

#include <QSettings>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace corvanta::platform {

// The per-user settings store: one INI file whose sections, keys and values are kept
// exactly as written ("GENERAL", "Date MES", "Nom(1)", a value " 7" with its blank).
// Values are texts; the program never deletes or lists keys.
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

    // Writes pending changes to the file; a failed write is a corvanta::Error.
    void sync();

  private:
    std::unique_ptr<QSettings> settings_;
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
