#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <set>

#include "platform/EventPump.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/Shell.h"
#include "support/FakeEventPump.h"
#include "support/FakeRandom.h"
#include "support/TempDir.h"

using namespace landora;

TEST(ProgramFolder, IsTheProgramsFolderWithoutSeparatorOrFileName)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    EXPECT_EQ(program.rfind(folder + "/", 0), 0u) << program;
    EXPECT_EQ(program.find('/', folder.size() + 1), std::string::npos) << "the program file lies in the folder itself";
    EXPECT_EQ(InProgramFolder("lang.crp"), folder + "/lang.crp");
}

// The help opens in the interface language; a language whose page is missing
// gets the English one rather than a page that does not exist.
TEST(Help, OpensTheLanguagesPageAndFallsBackToEnglish)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char *name : {"landora.html", "landora1.html", "landora6.html"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const auto page = [&](int language) { return HelpUrl(folder, language).fileName(); };
    EXPECT_EQ(page(1), "landora1.html");
    EXPECT_EQ(page(6), "landora6.html");
    EXPECT_EQ(page(3), "landora.html") << "French page missing";
    EXPECT_EQ(page(0), "landora.html");
    EXPECT_EQ(page(42), "landora.html");

    const QUrl url = HelpUrl(folder, 6, QString::fromLatin1(HelpSection::Scores));
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile(), dir.filePath("landora6.html"));
    EXPECT_EQ(url.fragment(), "scores");
    EXPECT_EQ(HelpUrl(folder, 3, "keys").toString(), QUrl::fromLocalFile(dir.filePath("landora.html")).toString() + "#keys");
    EXPECT_FALSE(HelpUrl(folder, 1).hasFragment());
}

// A build tree or portable copy keeps the data set beside the executable, an
// installed copy under <prefix>/share/landora; the one beside wins.
TEST(ProgramFolder, FindsTheDataSetBesideTheExecutableElseUnderItsPrefix)
{
    test::TempDir root;
    const std::string bin = root.File("usr/bin");
    const std::string shared = root.File("usr/share/landora");
    QDir().mkpath(QString::fromStdString(bin));
    QDir().mkpath(QString::fromStdString(shared));

    ProgramLocation none = LocateProgramFolder(bin);
    EXPECT_EQ(none.Folder, bin) << "no data set anywhere: the executable's folder, where the files are missed";
    EXPECT_FALSE(none.Installed);

    root.Write("usr/share/landora/Ovning.crp", "x");
    ProgramLocation installed = LocateProgramFolder(bin);
    EXPECT_EQ(installed.Folder, shared);
    EXPECT_TRUE(installed.Installed);
    EXPECT_EQ(LocateProgramFolder(bin + "/").Folder, shared) << "a trailing separator changes nothing";

    root.Write("usr/bin/Ovning.crp", "x");
    ProgramLocation beside = LocateProgramFolder(bin);
    EXPECT_EQ(beside.Folder, bin);
    EXPECT_FALSE(beside.Installed);
}

TEST(Random, DrawsLieInTheUnitIntervalAndCoverTheRange)
{
    CSeededRandom random(12345);
    std::set<int> faces;
    double lowest = 1, highest = 0;
    for (int i = 0; i < 20000; ++i) {
        const double r = random.Next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        const int d = random.Draw1(6);
        ASSERT_GE(d, 1);
        ASSERT_LE(d, 6);
        faces.insert(d);
    }
    EXPECT_EQ(faces.size(), 6u);
    EXPECT_LT(lowest, 0.001);
    EXPECT_GT(highest, 0.999);
    // The largest 64-bit draw still maps below 1.
    EXPECT_LT(UnitInterval(~0ULL), 1.0);
    EXPECT_EQ(UnitInterval(0), 0.0);
}

TEST(Random, ASeedRepeatsItsSequenceAndTheClockDoesNot)
{
    CSeededRandom a(7), b(7), c(8);
    b.Reseed();
    std::vector<double> first, second, third;
    for (int i = 0; i < 5; ++i) {
        first.push_back(a.Next());
        second.push_back(b.Next());
        third.push_back(c.Next());
    }
    EXPECT_EQ(first, second);
    EXPECT_NE(first, third);

    CClockRandom clock;
    const double before = clock.Next();
    clock.Reseed();
    CClockRandom other;
    EXPECT_NE(before, clock.Next());
    EXPECT_NE(before, other.Next());
}

TEST(Random, ScriptedDrawsComeOutInOrder)
{
    test::ScriptedRandom random{0.0, 0.5, 0.999};
    random.Reseed();
    EXPECT_EQ(random.Draw(4), 0);
    EXPECT_EQ(random.Draw1(4), 3);
    EXPECT_EQ(random.Draw(4), 3);
    EXPECT_EQ(random.Left(), 0u);
    EXPECT_EQ(random.reseeds, 1);
}

TEST(EventPump, RunsPendingEventsOfTheLoop)
{
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    CQtEventPump pump;
    pump.ProcessEvents();
    EXPECT_TRUE(ran);

    test::CountingEventPump counting;
    std::vector<int> seen;
    counting.onEvents = [&seen](int n) { seen.push_back(n); };
    counting.ProcessEvents();
    counting.ProcessEvents();
    EXPECT_EQ(counting.count, 2);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}
