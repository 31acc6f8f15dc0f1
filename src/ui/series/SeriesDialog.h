#pragma once

#include "photos/series/PhotoSeries.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;
class UserDefaults;

// Asks how a series of photos runs: every how many seconds (2 s to 10 min), and how many photos
// or until stopped. It opens with the last series' choice. Main thread.
class SeriesDialog : public QDialog {
    Q_OBJECT
public:
    SeriesDialog(UserDefaults *defaults, QWidget *parent = nullptr);

    // The choice as the fields show it, and the fields set to a plan (brought into range).
    PhotoSeries::Plan plan() const;
    void setPlan(PhotoSeries::Plan plan);
    // The choice kept for the next series.
    void savePlan();

private:
    UserDefaults *defaults_;
    QSpinBox *interval_ = nullptr;
    QSpinBox *photos_ = nullptr;
    QCheckBox *untilStopped_ = nullptr;
};
