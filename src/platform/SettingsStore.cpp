#include "platform/SettingsStore.h"

#include <QSettings>

namespace landora {

namespace {

QString Key(const char *section, const char *entry)
{
    return QLatin1String(section) + QLatin1Char('/') + QLatin1String(entry);
}

} // namespace

CSettingsStore::CSettingsStore()
#ifdef Q_OS_WIN
    : settings_(std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Landora"),
                                            QSettings::NativeFormat))
#else
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Landora"),
                                            QStringLiteral("Landora")))
#endif
{
}

CSettingsStore::CSettingsStore(const QString &iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

CSettingsStore::~CSettingsStore() = default;

int CSettingsStore::ReadInteger(const char *section, const char *entry, int defaultValue) const
{
    const QVariant value = settings_->value(Key(section, entry));
    // Only text is read: an INI line such as "Music=1,0" comes back as a list,
    // which is not a number.
    if (value.typeId() != QMetaType::QString)
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok, 10);
    return ok ? number : defaultValue;
}

void CSettingsStore::WriteInteger(const char *section, const char *entry, int value)
{
    Check();
    settings_->setValue(Key(section, entry), QString::number(value));
    Commit();
}

void CSettingsStore::Commit()
{
    // Each sync rewrites the whole file and waits for the disk: the entries
    // written together are committed together.
    settings_->sync();
    Check();
}

void CSettingsStore::Read(Settings &settings) const
{
    using namespace SettingsKey;
    settings.MusicOn = ReadInteger(Options, Music, 1) == 1;
    settings.SoundOn = ReadInteger(Options, Sounds, 1) == 1;
    settings.ShowTimer = ReadInteger(Options, Timer, 1) == 1;
    settings.BigTimer = ReadInteger(Options, Youtube, 0) == 1;
    settings.Language = ReadInteger(Languages, From, DefaultLanguage);
}

void CSettingsStore::PutOptions(const Settings &settings)
{
    using namespace SettingsKey;
    Check();
    settings_->setValue(Key(Options, Music), QString::number(settings.MusicOn ? 1 : 0));
    settings_->setValue(Key(Options, Sounds), QString::number(settings.SoundOn ? 1 : 0));
    settings_->setValue(Key(Options, Timer), QString::number(settings.ShowTimer ? 1 : 0));
    settings_->setValue(Key(Options, Youtube), QString::number(settings.BigTimer ? 1 : 0));
}

void CSettingsStore::WriteOptions(const Settings &settings)
{
    PutOptions(settings);
    Commit();
}

void CSettingsStore::WriteOptionsAndLanguage(const Settings &settings, int language)
{
    PutOptions(settings);
    settings_->setValue(Key(SettingsKey::Languages, SettingsKey::From), QString::number(language));
    Commit();
}

void CSettingsStore::WriteLanguage(int language)
{
    WriteInteger(SettingsKey::Languages, SettingsKey::From, language);
}

QString CSettingsStore::Location() const
{
    return settings_->fileName();
}

void CSettingsStore::Check()
{
    if (settings_->status() != QSettings::NoError || !settings_->isWritable())
        throw ESettingsWriteFailed();
}

} // namespace landora
