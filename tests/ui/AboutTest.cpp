#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>

#include "data/Cp1252.h"
#include "exercises/Catalogue.h"
#include "ui/MenuFixture.h"
#include "windows/OvningKarta.h"

using namespace landora;
using namespace landora::test;

namespace {

Settings Stored(const QString &file)
{
    Settings settings;
    CSettingsStore(file).Read(settings);
    return settings;
}

void OpenAbout(MenuFixture &f)
{
    QTest::mouseClick(f.menu->cmdOm, Qt::LeftButton);
    QApplication::processEvents();
}

void ChooseLanguage(TfrmAbout &about, const QString &name)
{
    about.cboLanguage->setCurrentIndex(about.cboLanguage->findText(name));
}

// The first exercise of page 1 of a kind the map window plays.
QString MapExerciseTitle(TfrmHuvudmeny &menu, const char *kind)
{
    const int language = menu.State().settings.Language;
    for (const COvning *e = menu.Catalogue()->First(); e != nullptr; e = e->Next)
        if (e->Continent == "EUR" && e->Kind == kind && !e->Title(language).empty())
            return FromCp1252(e->Title(language));
    return {};
}

int ExerciseWindowsLeft(const TfrmHuvudmeny &menu)
{
    return static_cast<int>(menu.findChildren<TOvningsformular *>(Qt::FindDirectChildrenOnly).size());
}

} // namespace

// The boxes show the settings in memory each time the window is shown;
// Cancel keeps nothing, OK writes the options and keeps the menu as it is
// when the language stays.
TEST(About, SettingsRoundTripThroughTheWindow)
{
    MenuFixture f;
    f.Show();
    TfrmAbout &about = *f.about;
    EXPECT_FALSE(about.isVisible()) << "hidden until ABOUT is pressed";
    EXPECT_EQ(f.menu->cmdOm->toolTip(), "Click here to change languages");
    OpenAbout(f);
    ASSERT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(about.size(), QSize(529, 471));
    EXPECT_EQ(about.lblVersion->text(), "Landora version  3.04");
    QStringList names;
    for (int i = 0; i < about.cboLanguage->count(); ++i)
        names << about.cboLanguage->itemText(i);
    EXPECT_EQ(names, QStringList({"Danish", "Dutch", "English", "French", "German", "Italian",
                                  "Portuguese (Brazil)", "Spanish", "Swedish"}));
    EXPECT_EQ(about.cboLanguage->currentText(), "English");
    EXPECT_TRUE(about.chkSound->isChecked() && about.chkMusic->isChecked() && about.chkShowTimer->isChecked());
    EXPECT_FALSE(about.chkYoutube->isChecked());

    about.chkMusic->setChecked(false);
    about.chkYoutube->setChecked(true);
    QTest::mouseClick(about.cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(f.menu->State().settings.MusicOn);
    EXPECT_TRUE(Stored(f.settingsFile()).MusicOn);

    OpenAbout(f);
    EXPECT_TRUE(about.chkMusic->isChecked()) << "Cancel kept nothing";
    EXPECT_FALSE(about.chkYoutube->isChecked());
    about.chkMusic->setChecked(false);
    about.chkShowTimer->setChecked(false);
    about.chkYoutube->setChecked(true);
    // A language picked and then left for a link (the window loses and
    // regains the focus) stays picked.
    ChooseLanguage(about, "Dutch");
    QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
    QApplication::sendEvent(&about, &deactivate);
    QApplication::sendEvent(&about, &activate);
    EXPECT_EQ(about.cboLanguage->currentText(), "Dutch");
    ChooseLanguage(about, "English");

    const COvningar *catalogue = f.menu->Catalogue();
    f.menu->SattVarldsdel(3);
    const int page3Rows = f.menu->cboOvningar->count();
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(f.boxes.boxes.empty());
    const Settings stored = Stored(f.settingsFile());
    EXPECT_FALSE(stored.MusicOn);
    EXPECT_TRUE(stored.SoundOn);
    EXPECT_FALSE(stored.ShowTimer);
    EXPECT_TRUE(stored.BigTimer);
    EXPECT_FALSE(f.menu->State().settings.MusicOn);
    EXPECT_TRUE(f.menu->State().settings.BigTimer);
    EXPECT_EQ(f.menu->Catalogue(), catalogue) << "the same language loads nothing again";
    EXPECT_EQ(f.menu->CurrentPage, 3);
    EXPECT_EQ(f.menu->cboOvningar->count(), page3Rows);

    OpenAbout(f);
    EXPECT_FALSE(about.chkMusic->isChecked());
    EXPECT_FALSE(about.chkShowTimer->isChecked());
    EXPECT_TRUE(about.chkYoutube->isChecked());

    // The next exercise window follows the boxes.
    about.close();
    f.menu->SattVarldsdel(1);
    ASSERT_TRUE(f.StartByTitle(MapExerciseTitle(*f.menu, "ORT")));
    ASSERT_NE(f.menu->MapWindow(), nullptr);
    EXPECT_TRUE(f.menu->MapWindow()->lblTid->isHidden());
}

// A new language is stored and the menu comes back on page 1 with the texts,
// page names and exercise titles of that language; so do the windows opened
// after it.
TEST(About, LanguageChangeReloadsTheMenuOnPageOne)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;
    menu.SattVarldsdel(4);
    OpenAbout(f);
    ChooseLanguage(*f.about, "German");
    QTest::mouseClick(f.about->cmdOK, Qt::LeftButton);

    EXPECT_TRUE(f.boxes.boxes.empty());
    EXPECT_FALSE(f.about->isVisible());
    EXPECT_EQ(Stored(f.settingsFile()).Language, 4);
    ASSERT_EQ(menu.State().settings.Language, 4);
    EXPECT_EQ(menu.CurrentPage, 1);
    EXPECT_EQ(menu.cmdStarta->text(), FromCp1252(menu.State().texts.Text(4, 1)));
    EXPECT_EQ(menu.lblInstruktion->text(), FromCp1252(menu.State().texts.Text(4, 25)));
    EXPECT_EQ(menu.lstParts->item(6)->text(), FromCp1252(menu.State().texts.Text(4, 33)));
    const COvning *first = nullptr;
    for (const COvning *e = menu.Catalogue()->First(); e != nullptr && first == nullptr; e = e->Next)
        if (e->Continent == "EUR" && !e->Title(4).empty())
            first = e;
    ASSERT_NE(first, nullptr);
    ASSERT_GT(menu.cboOvningar->count(), 0);
    EXPECT_EQ(menu.cboOvningar->item(0)->text(), FromCp1252(first->Title(4)));

    ASSERT_TRUE(f.StartByTitle(MapExerciseTitle(menu, "ORT")));
    ASSERT_NE(menu.MapWindow(), nullptr);
    EXPECT_EQ(menu.MapWindow()->cmdAvsluta->text(), FromCp1252(menu.State().texts.Text(4, 12)));
}

// A store that cannot be written: the box, the window closes, and neither the
// settings in memory nor the language change.
TEST(About, UnwritableStoreGivesTheBoxAndCloses)
{
    TempDir blocked;
    blocked.Write("plain-file", "not a folder");
    MenuFixture f(2, LANDORA_DATASET_DIR, QString::fromStdString(blocked.File("plain-file") + "/Landora.conf"));
    f.Show();
    const COvningar *catalogue = f.menu->Catalogue();
    OpenAbout(f);
    f.about->chkMusic->setChecked(false);
    ChooseLanguage(*f.about, "French");
    QTest::mouseClick(f.about->cmdOK, Qt::LeftButton);

    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].text, "Could not write to the registry");
    EXPECT_EQ(f.boxes.boxes[0].icon, MessageIcon::Information);
    EXPECT_FALSE(f.about->isVisible());
    EXPECT_TRUE(f.menu->State().settings.MusicOn) << "the store could not be opened: nothing changes";
    EXPECT_EQ(f.menu->State().settings.Language, 2);
    EXPECT_EQ(f.menu->Catalogue(), catalogue);
}

// The About window is not modal: a language can change while an exercise
// window is open, even in the middle of one of its handlers. The window goes
// before the catalogue its exercise belongs to; no blink tick, restart or
// close of it may reach a freed exercise (the asan build catches any that does).
TEST(About, LanguageChangeReleasesOpenExerciseWindowsFirst)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;

    // An open window, idle.
    ASSERT_TRUE(f.StartByTitle(MapExerciseTitle(menu, "AREA")));
    QPointer<TfrmOvningKarta> idle = menu.MapWindow();
    ASSERT_FALSE(idle.isNull());
    OpenAbout(f);
    ChooseLanguage(*f.about, "Italian");
    QTest::mouseClick(f.about->cmdOK, Qt::LeftButton);
    EXPECT_TRUE(idle.isNull()) << "deleted before the catalogue was replaced";
    EXPECT_EQ(menu.MapWindow(), nullptr);
    EXPECT_EQ(ExerciseWindowsLeft(menu), 0);

    // A window restarting its run (which lets events run while it draws)
    // when OK arrives: it goes once the restart is over.
    ASSERT_TRUE(f.StartByTitle(MapExerciseTitle(menu, "ORT")));
    QPointer<TfrmOvningKarta> busy = menu.MapWindow();
    ASSERT_FALSE(busy.isNull());
    OpenAbout(f);
    ChooseLanguage(*f.about, "Spanish");
    QMetaObject::invokeMethod(f.about->cmdOK, &QPushButton::click, Qt::QueuedConnection);
    busy->cmdStartaClick();
    EXPECT_EQ(menu.State().settings.Language, 5) << "OK was pressed during the restart";
    // Deletions asked for outside an event loop wait for one: the test has none.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(busy.isNull());
    if (!busy.isNull()) {
        busy->tmrBlinkaTimer();
        busy->close();
    }
    EXPECT_EQ(ExerciseWindowsLeft(menu), 0);
    EXPECT_EQ(menu.MapWindow(), nullptr);
}
