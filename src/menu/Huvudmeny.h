#pragma once
// The main menu: seven continent pages on a small world map, the exercises of
// the page shown, and the commands. It is the program's main window and owns
// the catalogue, the program-wide values and the services of the runs.
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "data/ProgramState.h"
#include "data/Services.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace landora {

class COvning;
class COvningar;
class CSettingsStore;
class CSound;
class TOvningsformular;
class TfrmOvningKarta;
class TfrmOvningFlagga;
class TfrmOvningMulti;

// Where the menu finds its files and services. Empty or null members take the
// program's own: the program folder, the user's settings store, clock draws
// and the machine's sound.
struct MenuSetup {
    std::string Folder;
    QString SettingsFile;
    IRandom *Random = nullptr;
    ISound *Sound = nullptr;
};

inline constexpr int PageCount = 7;
// A stored language of this number closes the program at start, unannounced.
inline constexpr int ClosingLanguage = 42;

// The language the program runs in for a stored number: 1..9 as stored, 42
// as it is (it closes the program), anything else the default language.
int UsableLanguage(int stored);

class TfrmHuvudmeny : public QWidget {
    Q_OBJECT

public:
    explicit TfrmHuvudmeny(MenuSetup setup = {});
    ~TfrmHuvudmeny() override;

    // ---- controls ----
    QWidget *panVit;
    QLabel *imgLogo;
    QLabel *imgMap;
    QLabel *lblInstruktion;
    QListWidget *lstParts;
    QListWidget *cboOvningar;
    QPushButton *cmdStarta;
    QPushButton *cmdTioitopp;
    QPushButton *cmdHjalp;
    QPushButton *cmdOm;
    QPushButton *cmdAvsluta;
    QLabel *lblLank;
    QTimer *tmrInstruktion;

    int CurrentPage = 1;
    QPoint MapOffset;

    // ---- operations ----
    // Reads the settings, loads the catalogue and the texts, shows page 1.
    // Runs when the window is first shown; again after a language change.
    void FormShow();
    void SattVarldsdel(int page);
    void FyllOvningslista(int page);
    // Lets go of any exercise window; runs whenever the menu becomes active.
    void FormActivate();

    // (x, y) on the small map.
    void imgMapMouseDown(int x, int y);
    void lstPartsChosen();
    void cmdStartaClick();
    void cmdTioitoppClick();
    void cmdHjalpClick();
    void cmdOmClick();
    void cmdAvslutaClick();
    void lblLankClick();
    void tmrInstruktionTimer();

    ProgramState &State() { return state_; }
    const COvningar *Catalogue() const { return catalogue_.get(); }
    // The open exercise window of each kind, or nullptr.
    TfrmOvningKarta *MapWindow() const;
    TfrmOvningFlagga *FlagWindow() const;
    TfrmOvningMulti *MultiWindow() const;
    // The nine language names in language order, Swedish first, each in its
    // own language; the settings window lists them.
    const std::array<QString, LanguageCount> &LanguageNames() const { return languageNames_; }
    const QImage &ContinentPicture(int page) const { return pictures_[static_cast<std::size_t>(page - 1)]; }
    const std::string &Folder() const { return folder_; }

    // The About window, which cmdOm shows; it makes itself known here.
    void SetAboutWindow(QWidget *about) { frmAbout_ = about; }
    QWidget *AboutWindow() const { return frmAbout_.data(); }
    // The settings store the menu reads: the player's own, or the file the
    // set-up names.
    CSettingsStore OpenSettingsStore() const;
    // Silences at once the sound effects or the music that the settings in
    // memory switch off.
    void StopSwitchedOffSound();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void DrawPage(int page);
    void AddPageName(const QString &name);
    std::string InFolder(const std::string &name) const;
    void Fail(const QString &what, const std::string &message);
    // A new window of the exercise's kind, remembered in its slot; nullptr
    // for a kind that has no window.
    TOvningsformular *CreateWindowFor(const COvning &exercise);
    // The current row of the exercise list, shown selected.
    void SelectExerciseRow(int row);
    // Lets go of every exercise window and deletes it now, before the
    // catalogue its exercise belongs to is replaced. A window whose handler
    // is still running goes when the handler ends; until then it keeps the
    // replaced catalogue (`retired_`) alive.
    void ReleaseBeforeReload();
    void FreeRetiredCatalogues();

    MenuSetup setup_;
    std::string folder_;
    ProgramState state_;
    std::unique_ptr<COvningar> catalogue_;
    std::vector<std::unique_ptr<COvningar>> retired_;
    std::unique_ptr<CSound> ownSound_;
    std::unique_ptr<IRandom> ownRandom_;
    std::unique_ptr<IEventPump> pump_;
    ExerciseContext context_;
    std::array<QImage, PageCount> pictures_;
    QPixmap mapPixmap_;
    QPointer<TfrmOvningKarta> frmOvningKarta_;
    QPointer<TfrmOvningFlagga> frmOvningFlagga_;
    QPointer<TfrmOvningMulti> frmOvningMulti_;
    QPointer<QWidget> frmAbout_;
    std::array<QString, LanguageCount> languageNames_;
    bool shown_ = false;
    bool closing_ = false;
};

} // namespace landora
