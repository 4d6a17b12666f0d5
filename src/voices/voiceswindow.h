#pragma once

#include "voices/take.h"
#include "voices/voicefiles.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QFrame;
class LanguageChoice;
class QLabel;
class QProgressBar;
class QScrollArea;
class QPushButton;
class QTemporaryDir;
class Recorder;
class SoundPlayer;

// What the voices window needs from outside; tests pass their own.
struct VoicesServices
{
    SoundPlayer &sound;   // plays from the voices folder first
    Recorder &recorder;
    voices::VoiceFolder folder;
    voices::Loudness loudness;
    // Asks the grown-up for a sound file; empty when none was chosen.
    std::function<QString()> chooseFile;
    // Imports the file as the voice, away from the window's thread, and
    // calls `done` on the window's thread with the outcome; what it returns
    // stops the import (then `done` says so), or does nothing once it ended.
    std::function<std::function<void()>(int voice, const QString &file,
                                        std::function<void(const voices::Change &)> done)>
        importFile;
    // Ask the grown-up where to save a voice pack, and which pack to open;
    // empty when none was chosen.
    std::function<QString()> choosePackToSave;
    std::function<QString()> choosePackToOpen;
};

// The grown-ups' window for their own voice: one row for each of the 30
// sounds, showing its picture, whose voice it plays now (a badge), and only
// what can be done in that state: hear it, record a take (it stops by
// itself after 5 s), import a file, or go back to the program's voice;
// while recording, stop; with a new take, hear, keep or throw it away. The
// row being recorded or holding a new take stands out, with its message in
// it.
class VoicesWindow : public QWidget
{
    Q_OBJECT
public:
    explicit VoicesWindow(VoicesServices services, QWidget *parent = nullptr);
    ~VoicesWindow() override;

    // The buttons of a row, by what they do; for tests.
    enum class Action { Hear, Record, Stop, Keep, Discard, Import, Revert };
    QPushButton *button(int voice, Action action) const;
    // The buttons for voice packs: all of the grown-up's voices to one file,
    // and from one.
    QPushButton *exportPackButton() const { return m_exportPack; }
    QPushButton *importPackButton() const { return m_importPack; }
    LanguageChoice *languageChoice() const { return m_language; }
    // What is said above the list, about the whole window; empty when
    // nothing is.
    QString message() const;
    // The row's own message; empty when it has none.
    QString messageOf(int voice) const;
    QString stateOf(int voice) const;
    const QProgressBar *meter() const { return m_meter; }

private:
    struct Row
    {
        QFrame *frame = nullptr;
        std::array<QPushButton *, 7> buttons{};
        QLabel *state = nullptr;
        QLabel *message = nullptr;
        QProgressBar *meter = nullptr;
        std::optional<voices::EvenTake> take; // recorded, not yet kept
    };

    void hear(int voice);
    void record(int voice);
    void keep(int voice);
    void discard(int voice);
    void import(int voice);
    void revert(int voice);
    void tookTake(const voices::Take &take);
    void recordingFailed(const QString &message);
    void exportPack();
    void importPack();
    // Says what concerns the whole window above the list, and nothing in
    // the rows but a take waiting to be kept.
    void say(const QString &message);
    // Says it in the voice's row alone, and brings the row into sight.
    void sayIn(int voice, const QString &message);
    void refresh();
    // Where takes not yet kept lie; made when the first is. No value when it
    // cannot be made.
    std::optional<voices::VoiceFolder> newTakes();

    VoicesServices m_services;
    std::array<Row, voices::kVoiceCount> m_rows;
    QLabel *m_message = nullptr;
    QProgressBar *m_meter = nullptr; // the recording row's
    QScrollArea *m_scroll = nullptr;
    QPushButton *m_exportPack = nullptr;
    QPushButton *m_importPack = nullptr;
    LanguageChoice *m_language = nullptr;
    QTimer m_meterTimer;
    // A take that never comes (a microphone stuck opening) is given up.
    QTimer m_watchdog;
    int m_recording = -1; // the voice a take is being recorded for
    int m_importing = -1;
    std::function<void()> m_stopImport;
    std::unique_ptr<QTemporaryDir> m_newTakes;
};
