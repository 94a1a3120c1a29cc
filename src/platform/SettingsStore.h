#pragma once
// The player's five settings in the desktop's per-user settings store: an INI
// file named for Landora in the user's config folder (the registry key
// Software\Landora on Windows). Sections "Options" and "Languages"; numbers are
// stored as decimal text.
#include <QString>
#include <memory>

#include "data/ProgramState.h"
#include "data/Errors.h"

class QSettings;

namespace landora {

// The store could not be opened or written; the settings window reports it.
class ESettingsWriteFailed : public Exception {
public:
    ESettingsWriteFailed() : Exception("Could not write to the registry") {}
};

namespace SettingsKey {
inline constexpr const char *Options = "Options";
inline constexpr const char *Music = "Music";
inline constexpr const char *Sounds = "Sounds";
inline constexpr const char *Timer = "Timer";
inline constexpr const char *Youtube = "Youtube";
inline constexpr const char *Languages = "Languages";
inline constexpr const char *From = "From";
} // namespace SettingsKey

class CSettingsStore {
public:
    // The player's own store.
    CSettingsStore();
    // An INI file at a given path: tests, and a portable copy of the program.
    explicit CSettingsStore(const QString &iniFile);
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore &) = delete;
    CSettingsStore &operator=(const CSettingsStore &) = delete;

    // Makes sure the store can take what is written next (its file and
    // folder are created when first written): ESettingsWriteFailed when it
    // cannot, before anything is changed.
    void OpenForWriting() { Check(); }

    // An integer entry; a missing entry, or one that is not a decimal number,
    // gives `defaultValue`.
    int ReadInteger(const char *section, const char *entry, int defaultValue) const;
    // Writes a number as decimal text; ESettingsWriteFailed when the store
    // cannot take it.
    void WriteInteger(const char *section, const char *entry, int value);

    // Reads "Music", "Sounds", "Timer", "Youtube" and "From", in that order,
    // with the defaults 1, 1, 1, 0 and 2. Only the value 1 switches an option
    // on. The language number is kept as stored, even out of range: the main
    // menu decides what such a number means.
    void Read(Settings &settings) const;
    // Writes the four options as "1" or "0", in the order they are read, and
    // commits them to the file at once: all four are written or none.
    void WriteOptions(const Settings &settings);
    void WriteLanguage(int language);
    // The four options and then the language, committed at once: one wait
    // for the disk instead of two.
    void WriteOptionsAndLanguage(const Settings &settings, int language);

    // Where the entries live (the INI file on this platform).
    QString Location() const;

private:
    void Check();
    void PutOptions(const Settings &settings);
    void Commit();

    std::unique_ptr<QSettings> settings_;
};

} // namespace landora
