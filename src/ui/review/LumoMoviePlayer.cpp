#include "ui/review/LumoMoviePlayer.h"

#include "library/MoviePoster.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <QtConcurrent>

namespace {

constexpr int DefaultVolume = 80; // percent

QIcon themeIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

// Play and pause drawn in the text colour of the bar, so they read on the album's dark band
// whatever icon theme the desktop has.
QIcon playbackIcon(bool pause, const QColor &colour, qreal pixelRatio)
{
    constexpr int Side = 20;
    QPixmap pixmap(QSize(Side, Side) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    if (pause) {
        p.drawRoundedRect(QRectF(4, 3, 4.5, 14), 1, 1);
        p.drawRoundedRect(QRectF(11.5, 3, 4.5, 14), 1, 1);
    } else {
        const QPointF triangle[] = {{5, 3}, {17, 10}, {5, 17}};
        p.drawPolygon(triangle, 3);
    }
    return QIcon(pixmap);
}

} // namespace

// The movie's poster frame, fitted into the view with its shape kept, on black: what a stopped
// movie shows until it plays, since the player itself draws nothing before then.
class LumoMoviePlayer::PosterView : public QWidget {
public:
    PosterView() { setObjectName(QStringLiteral("posterView")); }
    void setImage(const QImage &image)
    {
        image_ = image;
        update();
    }
    QImage image() const { return image_; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (image_.isNull())
            return;
        QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), fitted);
        target.moveCenter(rect().center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image_);
    }

private:
    QImage image_;
};

LumoMoviePlayer::LumoMoviePlayer(QWidget *parent)
    : QWidget(parent), screen_(new QStackedWidget), problem_(new QLabel), playButton_(new QToolButton),
      seekSlider_(new QSlider(Qt::Horizontal)), timeLabel_(new QLabel),
      volumeSlider_(new QSlider(Qt::Horizontal))
{
    setObjectName(QStringLiteral("moviePlayer"));

    playButton_->setObjectName(QStringLiteral("playButton"));
    playButton_->setAutoRaise(true);
    // Space plays and pauses through the review mode's shortcut, whatever has the keyboard.
    playButton_->setFocusPolicy(Qt::NoFocus);
    seekSlider_->setObjectName(QStringLiteral("seekSlider"));
    seekSlider_->setFocusPolicy(Qt::NoFocus);
    seekSlider_->setToolTip(tr("Position"));
    seekSlider_->setAccessibleName(tr("Position"));
    seekSlider_->setAccessibleDescription(tr("Where the movie plays; drag to move through it"));
    timeLabel_->setObjectName(QStringLiteral("timeLabel"));
    // Wide enough for "0:00:00 / 0:00:00", so the slider does not jump as the time grows.
    timeLabel_->setMinimumWidth(
        timeLabel_->fontMetrics().horizontalAdvance(QStringLiteral("0:00:00 / 0:00:00")));
    timeLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *volumeIcon = new QLabel;
    volumeIcon->setPixmap(themeIcon("audio-volume-medium", QStyle::SP_MediaVolume).pixmap(16, 16));
    volumeSlider_->setObjectName(QStringLiteral("volumeSlider"));
    volumeSlider_->setFocusPolicy(Qt::NoFocus);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setValue(DefaultVolume);
    volumeSlider_->setFixedWidth(90);
    volumeSlider_->setToolTip(tr("Volume"));
    volumeSlider_->setAccessibleName(tr("Volume"));
    volumeSlider_->setAccessibleDescription(tr("How loud the movie plays"));

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 8, 4);
    bar->addWidget(playButton_);
    bar->addWidget(seekSlider_, 1);
    bar->addWidget(timeLabel_);
    bar->addSpacing(8);
    bar->addWidget(volumeIcon);
    bar->addWidget(volumeSlider_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    problem_->setObjectName(QStringLiteral("problemLabel"));
    problem_->setAlignment(Qt::AlignCenter);
    problem_->setWordWrap(true);
    problem_->setMargin(24);
    screen_->addWidget(problem_);
    layout->addWidget(screen_, 1);
    layout->addLayout(bar);

    connect(playButton_, &QToolButton::clicked, this, &LumoMoviePlayer::togglePlayback);
    // Dragging the knob and clicking beside it both seek.
    connect(seekSlider_, &QSlider::sliderMoved, this, [this](int value) {
        if (player_)
            player_->setPosition(value);
    });
    connect(seekSlider_, &QSlider::actionTriggered, this, [this] {
        if (player_)
            player_->setPosition(seekSlider_->sliderPosition());
    });
    connect(volumeSlider_, &QSlider::valueChanged, this, [this](int value) {
        if (audio_)
            audio_->setVolume(value / 100.0f);
    });
    updatePlayButton();
    updateTime();
}

LumoMoviePlayer::~LumoMoviePlayer()
{
    if (player_)
        player_->stop();
}

void LumoMoviePlayer::createPlayer()
{
    player_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(this);
    video_ = new QVideoWidget;
    player_->setAudioOutput(audio_);
    player_->setVideoOutput(video_);
    audio_->setVolume(volumeSlider_->value() / 100.0f);
    screen_->insertWidget(0, video_);
    poster_ = new PosterView;
    screen_->addWidget(poster_);
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &LumoMoviePlayer::updatePlayButton);
    // The picture takes over from the poster once the movie plays.
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
        if (state != QMediaPlayer::StoppedState && screen_->currentWidget() == poster_)
            screen_->setCurrentWidget(video_);
    });
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 duration) {
        seekSlider_->setRange(0, int(qMin<qint64>(duration, INT_MAX)));
        updateTime();
    });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        // The knob stays where the user holds it; the player catches up when it is let go.
        if (!seekSlider_->isSliderDown())
            seekSlider_->setValue(int(qMin<qint64>(position, INT_MAX)));
        updateTime();
    });
    // A movie that played to its end starts again from the beginning at the next play.
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            player_->setPosition(0);
    });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString &message) { showProblem(message); });
}

void LumoMoviePlayer::setPath(const QString &path)
{
    if (path == path_)
        return;
    path_ = path;
    // The media framework starts with the first movie shown, not with every window.
    if (!player_ && !path.isEmpty())
        createPlayer();
    if (!player_)
        return;
    player_->stop();
    poster_->setImage(QImage());
    screen_->setCurrentWidget(poster_);
    problem_->clear();
    for (QWidget *control : {static_cast<QWidget *>(playButton_), static_cast<QWidget *>(seekSlider_)})
        control->setEnabled(true);
    seekSlider_->setValue(0);
    // A file without its movie header is refused at once: the player would wait for it for ever.
    if (!path.isEmpty() && !MoviePoster::hasMovieHeader(path)) {
        player_->setSource(QUrl());
        showProblem(tr("no movie header"));
    } else {
        player_->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
        loadPoster();
    }
    updateTime();
}

void LumoMoviePlayer::loadPoster()
{
    if (path_.isEmpty())
        return;
    // Read off the main thread: a pipeline is built for it, and a damaged file takes its time out.
    auto *watcher = new QFutureWatcher<QImage>(this);
    const QString path = path_;
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, path] {
        watcher->deleteLater();
        if (path == path_) // not another movie chosen meanwhile
            poster_->setImage(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([path] { return MoviePoster::readFrame(path).image; }));
}

QImage LumoMoviePlayer::posterImage() const
{
    return poster_ ? poster_->image() : QImage();
}

QString LumoMoviePlayer::problemText() const
{
    return problem_->text();
}

void LumoMoviePlayer::showProblem(const QString &why)
{
    if (path_.isEmpty())
        return;
    problem_->setText(tr("\u201c%1\u201d cannot be played: the file is empty, damaged or not a movie (%2).")
                          .arg(QFileInfo(path_).fileName(), why));
    screen_->setCurrentWidget(problem_);
    playButton_->setEnabled(false);
    seekSlider_->setEnabled(false);
}

void LumoMoviePlayer::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updatePlayButton();
}

void LumoMoviePlayer::play()
{
    if (player_ && !path_.isEmpty())
        player_->play();
}

void LumoMoviePlayer::pause()
{
    if (player_)
        player_->pause();
}

void LumoMoviePlayer::togglePlayback()
{
    if (isPlaying())
        pause();
    else
        play();
}

void LumoMoviePlayer::stop()
{
    if (player_)
        player_->stop();
}

bool LumoMoviePlayer::isPlaying() const
{
    return player_ && player_->playbackState() == QMediaPlayer::PlayingState;
}

QString LumoMoviePlayer::timeText(qint64 positionMs, qint64 durationMs)
{
    // The time played counts whole seconds reached, as a clock does.
    const QString position = MoviePoster::durationText(qMax<qint64>(0, positionMs) / 1000 * 1000);
    return tr("%1 / %2").arg(position, MoviePoster::durationText(qMax<qint64>(0, durationMs)));
}

void LumoMoviePlayer::updatePlayButton()
{
    const bool playing = isPlaying();
    playButton_->setIcon(playbackIcon(playing, palette().color(QPalette::ButtonText), devicePixelRatioF()));
    playButton_->setToolTip(playing ? tr("Pause (Space)") : tr("Play (Space)"));
    playButton_->setAccessibleName(playing ? tr("Pause") : tr("Play"));
    playButton_->setAccessibleDescription(playing ? tr("Stops the movie where it is")
                                                  : tr("Plays the movie"));
}

void LumoMoviePlayer::updateTime()
{
    timeLabel_->setText(player_ ? timeText(player_->position(), player_->duration()) : timeText(0, 0));
}
