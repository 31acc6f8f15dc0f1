#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QStackedWidget;
class QToolButton;
class QVideoWidget;

// The movie player of review mode: the movie's picture, and a bar under it with play/pause, a
// seek slider with the time played and the length, and the volume.
//
//   +--------------------------------------------------+
//   |                                                  |
//   |                   QVideoWidget                   |
//   |                                                  |
//   +--------------------------------------------------+
//   | [>]  ===========o-----------------  0:12 / 0:42  [vol ===o--] |
//   +--------------------------------------------------+
//
// A movie is loaded paused at its start; the user starts it. Loading another one, or none,
// stops the one playing. A file that cannot be played (empty, cut short, damaged) says so in
// place of the picture, and the controls are disabled. Main thread.
class LumoMoviePlayer : public QWidget {
    Q_OBJECT
public:
    explicit LumoMoviePlayer(QWidget *parent = nullptr);
    ~LumoMoviePlayer() override;

    // Loads the movie at `path`, stopped at its start; the same path again keeps it as it is.
    // An empty path stops and unloads the movie.
    void setPath(const QString &path);
    QString path() const { return path_; }

    void play();
    void pause();
    // Plays a paused or stopped movie, pauses a playing one.
    void togglePlayback();
    // Stops playing and goes back to the start.
    void stop();
    bool isPlaying() const;
    // What the player says in place of a movie it cannot play; empty while it has none.
    QString problemText() const;
    // The poster frame shown while the movie is stopped; null until it is read.
    QImage posterImage() const;

    // "0:12 / 0:42", as the bar shows the position in a movie of `duration`.
    static QString timeText(qint64 positionMs, qint64 durationMs);

    // Made with the first movie: null until then.
    QMediaPlayer *player() const { return player_; }
    QToolButton *playButton() const { return playButton_; }
    QSlider *seekSlider() const { return seekSlider_; }
    QSlider *volumeSlider() const { return volumeSlider_; }
    QLabel *timeLabel() const { return timeLabel_; }

protected:
    void changeEvent(QEvent *event) override;

private:
    // The movie cannot be played: the text replaces the picture.
    void showProblem(const QString &why);
    void createPlayer();
    void loadPoster();
    void updatePlayButton();
    void updateTime();

    QString path_;
    QMediaPlayer *player_ = nullptr;
    QAudioOutput *audio_ = nullptr;
    QStackedWidget *screen_;
    QVideoWidget *video_ = nullptr;
    class PosterView;
    PosterView *poster_ = nullptr;
    QLabel *problem_;
    QToolButton *playButton_;
    QSlider *seekSlider_;
    QLabel *timeLabel_;
    QSlider *volumeSlider_;
};
