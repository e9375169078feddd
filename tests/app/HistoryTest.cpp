// The recent-files list: order, limits, sameness of paths, change events and
// its section of the settings file.
#include "AppTestUtil.h"

#include "app/History.h"
#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace {
QStringList Items(const THistory& history) {
    QStringList items;
    for (int i = 0; i < history.Count(); ++i) items << history.GetItem(i);
    return items;
}

struct TChangeCounter {
    explicit TChangeCounter(THistory& history) {
        QObject::connect(&history, &THistory::changed, [this] { ++Count; });
    }
    int Count = 0;
};

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}
}  // namespace

TEST(History, NewestFirstAndTheOldestDropsBeyondTheMaximum) {
    THistory history;
    history.SetMaxItems(8);
    for (int i = 1; i <= 9; ++i) history.Add(QString("/p%1").arg(i));
    EXPECT_EQ(Items(history), QStringList({"/p9", "/p8", "/p7", "/p6", "/p5", "/p4", "/p3", "/p2"}));
}

TEST(History, AddingAKnownFileMovesItsStoredFormToTheFrontWhenAsked) {
    TTempFolder temp;
    QDir(temp.Path()).mkpath("d");
    const QString a = temp.Path("d/a.kvres"), b = temp.Path("b.kvres"), c = temp.Path("c.kvres");
    Touch(a);
    THistory history;
    history.IfExistsPlaceFirst = true;
    history.Add(a);
    history.Add(b);
    history.Add(c);
    TChangeCounter changes(history);
    // The same file written differently.
    history.Add(temp.Path("d/../d/./a.kvres"));
    EXPECT_EQ(Items(history), QStringList({a, c, b}));
    EXPECT_EQ(changes.Count, 1);

    history.IfExistsPlaceFirst = false;
    history.Add(b);
    EXPECT_EQ(Items(history), QStringList({a, c, b}));
    EXPECT_EQ(changes.Count, 2);
}

TEST(History, PathsThatDifferOnlyInLetterCaseAreDifferentFiles) {
    TTempFolder temp;
    const QString lower = temp.Path("a.kvres"), upper = temp.Path("A.KVRES");
    Touch(lower);
    Touch(upper);
    THistory history;
    history.IfExistsPlaceFirst = true;
    history.Add(lower);
    history.Add(upper);
    EXPECT_EQ(Items(history), QStringList({upper, lower}));
}

TEST(History, AnEmptyPathChangesNothingAndRaisesNoEvent) {
    THistory history;
    history.Add("/a");
    TChangeCounter changes(history);
    history.Add(QString());
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(changes.Count, 0);
}

TEST(History, LoweringTheMaximumDropsTheOldestAtOnce) {
    THistory history;
    for (const char* p : {"/1", "/2", "/3", "/4"}) history.Add(p);
    TChangeCounter changes(history);
    history.SetMaxItems(2);
    EXPECT_EQ(Items(history), QStringList({"/4", "/3"}));
    EXPECT_EQ(changes.Count, 1);
    history.SetMaxItems(2);
    history.SetMaxItems(6);  // raising drops nothing and raises no event
    EXPECT_EQ(changes.Count, 1);
}

TEST(History, ErrorsCarryTheirMessages) {
    THistory history;
    history.Add("/a");
    struct {
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {[&] { history.GetItem(1); }, "Index out of bounds (1)"},
        {[&] { history.GetItem(-1); }, "Index out of bounds (-1)"},
        {[&] { history.LoadFromIni(nullptr, "history"); }, "IniFile not assigned"},
        {[&] { history.SaveToIni(nullptr, "history"); }, "IniFile not assigned"},
        {[&] { TSettingsFile f("/tmp/x.ini"); history.LoadFromIni(&f, ""); }, "Section is not set!"},
        {[&] { TSettingsFile f("/tmp/x.ini"); history.SaveToIni(&f, ""); }, "Section is not set!"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(History, LoadingClosesGapsAndIgnoresKeysBeyondTheMaximum) {
    TTempFolder temp;
    const QString ini = temp.Path("Pellory2.ini");
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[history]\n0=/zero\n2=/two\n5=/five\n9=/nine\n");
    file.close();

    THistory history;
    history.SetMaxItems(8);
    TChangeCounter changes(history);
    history.LoadFromFile(ini, "history");
    EXPECT_EQ(Items(history), QStringList({"/zero", "/two", "/five"}));
    EXPECT_EQ(changes.Count, 1);

    history.SaveToFile(ini, "history");
    QSettings saved(ini, QSettings::IniFormat);
    saved.beginGroup("history");
    EXPECT_EQ(saved.childKeys(), QStringList({"0", "1", "2"}));
    EXPECT_EQ(saved.value("2").toString(), "/five");
}

TEST(History, SavingAnEmptyListLeavesNoSection) {
    TTempFolder temp;
    const QString ini = temp.Path("Pellory2.ini");
    THistory history;
    history.Add("/a");
    history.SaveToFile(ini, "history");
    history.Clear();
    history.SaveToFile(ini, "history");
    QSettings saved(ini, QSettings::IniFormat);
    EXPECT_FALSE(saved.childGroups().contains("history"));
}
