#pragma once
// The main menu on a copy-free view of the shipped data set, with its own
// settings file, seeded draws, a silent sound player and answered boxes.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "menu/Huvudmeny.h"
#include "platform/Random.h"
#include "platform/SettingsStore.h"
#include "support/FakeSound.h"
#include "support/MessageCatcher.h"
#include "support/TempDir.h"

namespace landora::test {

struct MenuFixture {
    explicit MenuFixture(int language = 2, std::string folder = LANDORA_DATASET_DIR) : random(20261207)
    {
        {
            CSettingsStore store(settingsFile());
            store.WriteLanguage(language);
        }
        MenuSetup setup;
        setup.Folder = std::move(folder);
        setup.SettingsFile = settingsFile();
        setup.Random = &random;
        setup.Sound = &sound;
        menu = std::make_unique<TfrmHuvudmeny>(setup);
        menu->State().ScoreFilePath = dir.File("scores.hgh");
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

    QString settingsFile() const { return QString::fromStdString(dir.File("settings.ini")); }

    TempDir dir;
    CSeededRandom random;
    FakeSound sound;
    MessageCatcher boxes;
    std::unique_ptr<TfrmHuvudmeny> menu;
};

} // namespace landora::test
