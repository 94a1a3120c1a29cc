#pragma once
// The top list: the best result of every exercise that has a name in the
// current language, in catalogue order. It reads the score file and never
// writes it.
#include "scores/ScoreFile.h"

#include <QDialog>
#include <string>

class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace landora {

class COvningar;
struct ProgramState;

class TfrmTopplista : public QDialog {
    Q_OBJECT

public:
    explicit TfrmTopplista(ProgramState &state, QWidget *owner = nullptr);

    QFrame *Panel1;
    QLabel *lblRubrik;
    QLabel *imgBlomma1;
    QLabel *imgBlomma2;
    QTableWidget *grdLista;
    QPushButton *cmdOK;

    landora::HighScoreTable HighScoreTable;
    std::string FilePath;

    // Reads the score file and fills the list. A missing file means no result
    // was ever saved: every exercise shows empty results. A damaged file fails
    // with the reading's exception, for the caller's error box.
    void LoadList(const std::string &path, const COvningar &catalogue);
    void FillList(const COvningar &catalogue);

    void cmdOKClick();
    void imgBlomma1MouseDown();
    void imgBlomma2MouseDown();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SwapPictures();

    ProgramState &state_;
};

// Opens the top list of the score file chosen at start, modally. Reading
// failures of a damaged file pass to the caller.
void ShowTopList(const COvningar &catalogue, QWidget *owner, ProgramState &state);

} // namespace landora
