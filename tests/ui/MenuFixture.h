#pragma once
// The main menu on a copy-free view of the shipped data set, with its own
// settings file, seeded draws, a silent sound player and answered boxes, and
// its About window, hidden as at program start.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "menu/About.h"
#include "menu/Huvudmeny.h"
#include "platform/Random.h"
#include "platform/SettingsStore.h"
#include "support/FakeSound.h"
#include "support/MessageCatcher.h"
#include "support/TempDir.h"

namespace landora::test {

struct MenuFixture {
    // An empty `settings` path: a settings file of the fixture's own, which
    // starts with the given language.
    explicit MenuFixture(int language = 2, std::string folder = LANDORA_DATASET_DIR, QString settings = {})
        : settingsPath(settings.isEmpty() ? QString::fromStdString(dir.File("settings.ini")) : settings), random(20261207)
    {
        if (settings.isEmpty()) {
            CSettingsStore store(settingsPath);
            store.WriteLanguage(language);
        }
        MenuSetup setup;
        setup.Folder = std::move(folder);
        setup.SettingsFile = settingsPath;
        setup.Random = &random;
        setup.Sound = &sound;
        menu = std::make_unique<TfrmHuvudmeny>(setup);
        menu->State().ScoreFilePath = dir.File("scores.hgh");
        about = new TfrmAbout(*menu);
    }

    void Show()
    {
        menu->show();
        QApplication::processEvents();
    }

    // Picks a row of the exercise list by its title and presses Start.
    bool StartByTitle(const QString &title)
    {
        const auto items = menu->cboOvningar->findItems(title, Qt::MatchExactly);
        if (items.isEmpty())
            return false;
        menu->cboOvningar->setCurrentItem(items.front());
        QTest::mouseClick(menu->cmdStarta, Qt::LeftButton);
        return true;
    }

    const QString &settingsFile() const { return settingsPath; }

    TempDir dir;
    QString settingsPath;
    CSeededRandom random;
    FakeSound sound;
    MessageCatcher boxes;
    std::unique_ptr<TfrmHuvudmeny> menu;
    TfrmAbout *about = nullptr;
};

} // namespace landora::test
