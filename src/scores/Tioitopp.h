#pragma once
// The top-ten window: the ten best results of one exercise. A new result is
// put where it belongs, the player types a signature over its row, and OK
// writes the whole score file back.
#include "scores/ScoreFile.h"

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace landora {

class ISound;
struct ProgramState;

class TfrmTioitopp : public QDialog {
    Q_OBJECT

public:
    TfrmTioitopp(ProgramState &state, ISound &sound, QWidget *owner = nullptr);

    QLabel *lblOvningsNamn;
    QWidget *Shape2;
    QLabel *Image1;
    QLabel *Image2;
    QTableWidget *grdLista;
    QLineEdit *txtNySignatur;
    QPushButton *cmdOK;

    landora::HighScoreTable HighScoreTable;
    std::string FilePath;
    std::int32_t NewRank = 0;
    std::int32_t ExerciseNumber = 0;
    std::string ExerciseName; // cp1252 bytes

    // Reads the file at `path` (a missing file is an empty table), puts
    // `score` into the list of ExerciseNumber (-1 only views it) and fills the
    // grid. Called after ExerciseNumber and ExerciseName are set, before the
    // window is shown.
    void LoadAndInsert(const std::string &path, std::int32_t score);

    void ClearTable();
    void FillGrid();
    // Writes the whole table; a failure is reported and the old file stays.
    void SaveFile();

    void txtNySignaturExit();
    void cmdOKClick();

    // Where the file that could not be read was kept; empty when it was read.
    const std::string &UnreadableCopy() const { return unreadableCopy_; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetUpGrid();
    void ReportReadFailure(const std::string &cause);

    ProgramState &state_;
    ISound &sound_;
    std::string unreadableCopy_;
    // A damaged file that could not be copied aside is never overwritten.
    bool keepFileAsItIs_ = false;
    bool storingSignature_ = false;
};

} // namespace landora
