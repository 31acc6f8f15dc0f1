#include "GeneralPreferencesPane.h"

#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "device/LumoCamerasController.h"
#include "ui/camera/CameraControlSet.h"
#include "library/LibraryFolder.h"
#include "photos/PhotoNaming.h"
#include "photos/PhotoWriter.h"
#include "ui/recording/RecordingPreferences.h"
#include "ui/widgets/FormAccessibility.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace {

using namespace NotificationNames;

constexpr int FunctionCount = 6;
constexpr int DefaultInstantPreview = 1; // two seconds

// A one-of-many choice laid out in a row (or a column), each button's id its position.
QButtonGroup *radioMatrix(QWidget *owner, QBoxLayout *layout, const QStringList &titles)
{
    auto *group = new QButtonGroup(owner);
    for (int i = 0; i < titles.size(); ++i) {
        auto *button = new QRadioButton(titles[i]);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
    return group;
}

void select(QButtonGroup *group, int id)
{
    if (QAbstractButton *button = group->button(id))
        button->setChecked(true);
}

QLabel *smallLabel()
{
    auto *label = new QLabel;
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

GeneralPreferencesPane::GeneralPreferencesPane(UserDefaults *defaults, LumoCamerasController *cameras,
                                               QWidget *parent)
    : QWidget(parent), defaults_(defaults), cameras_(cameras)
{
    setObjectName(QStringLiteral("generalView"));

    // The programmable button, with what its function does beneath.
    functionPopUp_ = new QComboBox;
    functionPopUp_->addItems({tr("Focus once"), tr("Zoom in one step"), tr("Exposure up one step"),
                              tr("Mirror horizontally"), tr("Freeze the picture"),
                              tr("Start or Stop Recording")});
    descriptField_ = smallLabel();
    auto *function = new QVBoxLayout;
    function->addWidget(functionPopUp_, 0, Qt::AlignLeft);
    function->addWidget(descriptField_);

    auto *keepRow = new QHBoxLayout;
    keepCameraSet_ =
        radioMatrix(this, keepRow, {tr("Restore its last settings"), tr("Use its default settings")});

    // Photo names: by date, or by a prefix of the user's, with the name the next photo gets.
    auto *names = new QVBoxLayout;
    auto *dateRow = new QHBoxLayout;
    auto *prefixRow = new QHBoxLayout;
    nameFormat_ = new QButtonGroup(this);
    auto *byDate = new QRadioButton(tr("By date"));
    auto *byPrefix = new QRadioButton(tr("With the prefix"));
    nameFormat_->addButton(byDate, 0);
    nameFormat_->addButton(byPrefix, 1);
    dateRow->addWidget(byDate);
    dateRow->addStretch();
    prefixField_ = new QLineEdit;
    prefixField_->setPlaceholderText(tr("Lecture"));
    prefixField_->setMaxLength(PhotoNaming::MaxPrefixCharacters);
    prefixRow->addWidget(byPrefix);
    prefixRow->addWidget(prefixField_, 1);
    exampleName_ = smallLabel();
    exampleName_->setObjectName(QStringLiteral("examplePhotoName"));
    names->addLayout(dateRow);
    names->addLayout(prefixRow);
    names->addWidget(exampleName_);

    pathField_ = new QLineEdit;
    pathField_->setReadOnly(true);
    pathField_->setMinimumWidth(260);
    chooseFolder_ = new QPushButton(tr("Choose…"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(pathField_, 1);
    folderRow->addWidget(chooseFolder_);

    auto *previewRow = new QHBoxLayout;
    instantPreview_ = radioMatrix(this, previewRow, {tr("Off"), tr("2 seconds"), tr("4 seconds")});

    snapshotSound_ = new QCheckBox(tr("Shutter sound for snapshots"));
    focusSound_ = new QCheckBox(tr("Sounds while the camera focuses"));
    auto *sounds = new QVBoxLayout;
    sounds->addWidget(snapshotSound_);
    sounds->addWidget(focusSound_);

    photoDrawing_ = new QCheckBox(tr("Photos include the drawing over the picture"));
    photoDrawing_->setToolTip(tr("Shift+Return takes a photo the other way"));

    auto *form = new QFormLayout(this);
    form->setContentsMargins(20, 16, 20, 16);
    form->setLabelAlignment(Qt::AlignRight);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Programmable button:"), function);
    form->addRow(tr("When a camera is attached:"), keepRow);
    form->addRow(tr("Photo names:"), names);
    form->addRow(tr("Photo library:"), folderRow);
    form->addRow(tr("Preview after a snapshot:"), previewRow);
    form->addRow(tr("Sounds:"), sounds);
    form->addRow(tr("Drawing:"), photoDrawing_);
    recording_ = new RecordingPreferences(defaults_);
    form->addRow(tr("Recording:"), recording_);
    describeFormFields(form);

    // User actions only: loadDefaults() fills the controls without announcing anything.
    connect(functionPopUp_, &QComboBox::activated, this, &GeneralPreferencesPane::setFunction);
    connect(keepCameraSet_, &QButtonGroup::idClicked, this, &GeneralPreferencesPane::setKeepCameraSet);
    connect(nameFormat_, &QButtonGroup::idClicked, this, &GeneralPreferencesPane::setPhotoNameFormat);
    connect(prefixField_, &QLineEdit::returnPressed, this,
            &GeneralPreferencesPane::setPhotoNameFormatFromField);
    connect(prefixField_, &QLineEdit::textChanged, this, &GeneralPreferencesPane::updateExampleName);
    connect(chooseFolder_, &QPushButton::clicked, this, &GeneralPreferencesPane::choosePhotoLibraryLocation);
    connect(instantPreview_, &QButtonGroup::idClicked, this, &GeneralPreferencesPane::setInstantTimer);
    connect(snapshotSound_, &QCheckBox::clicked, this, &GeneralPreferencesPane::toggleSnapshotSoundEffect);
    connect(focusSound_, &QCheckBox::clicked, this, &GeneralPreferencesPane::toggleFocusSoundEffect);
    // Read at each photo: nothing else needs to hear of it.
    connect(photoDrawing_, &QCheckBox::clicked, this,
            [this](bool on) { defaults_->setValue(DefaultsKeys::PhotoWithDrawing, on); });
    // A photo taken while the window is open takes the name shown.
    NotificationCenter::defaultCenter()->addObserver(this, FileDidCreate,
                                                     [this](const Notification &) { updateExampleName(); });
    NotificationCenter::defaultCenter()->addObserver(this, CameraDidChange,
                                                     [this](const Notification &) { cameraDidChange(); });

    loadDefaults();
}

GeneralPreferencesPane::~GeneralPreferencesPane()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
}

void GeneralPreferencesPane::loadDefaults()
{
    const int function = defaults_->integerForKey(DefaultsKeys::ProgramKeyFunction, 0);
    functionPopUp_->setCurrentIndex(function >= 0 && function < FunctionCount ? function : 0);
    cameraDidChange();
    select(keepCameraSet_, defaults_->integerForKey(DefaultsKeys::KeepCameraSet, 0) != 0 ? 1 : 0);
    select(nameFormat_, defaults_->integerForKey(DefaultsKeys::PhotoNameFormatSel, 0) != 0 ? 1 : 0);
    prefixField_->setText(defaults_->stringForKey(DefaultsKeys::PhotoNameFormatSelPrefix));
    pathField_->setText(QDir::toNativeSeparators(LibraryFolder::current(defaults_)));
    select(instantPreview_, defaults_->integerForKey(DefaultsKeys::InstantPreview, DefaultInstantPreview));
    snapshotSound_->setChecked(defaults_->boolForKey(DefaultsKeys::SnapshotSoundEffectSwitch, true));
    focusSound_->setChecked(defaults_->boolForKey(DefaultsKeys::FocusSoundEffectSwitch, true));
    photoDrawing_->setChecked(defaults_->boolForKey(DefaultsKeys::PhotoWithDrawing, true));
    recording_->loadDefaults();
    updateExampleName();
}

void GeneralPreferencesPane::cameraDidChange()
{
    // The function chosen is kept for the cameras that have the button.
    const CameraPtr camera = cameras_ ? cameras_->currentCamera() : nullptr;
    const bool hasButton = !camera || CameraControlSet::forCamera(camera.get()).programmableButton;
    functionPopUp_->setEnabled(hasButton);
    descriptField_->setText(hasButton ? functionDescription(functionPopUp_->currentIndex())
                                      : tr("This camera has no programmable button."));
}

QString GeneralPreferencesPane::functionDescription(int index)
{
    switch (index) {
    case 0:
        return tr("Brings the camera into focus once.");
    case 1:
        return tr("Zooms into the image for one level.");
    case 2:
        return tr("Increases exposure for one level.");
    case 3:
        return tr("Flips the current view horizontally.");
    case 4:
        return tr("Holds the picture still while the camera keeps sending; a second press lets it go.");
    case 5:
        return tr("Starts recording the picture as a video; a second press stops it.");
    }
    return {};
}

void GeneralPreferencesPane::setFunction(int index)
{
    if (index >= 0 && index < FunctionCount)
        descriptField_->setText(functionDescription(index));
    defaults_->setValue(DefaultsKeys::ProgramKeyFunction, index);
    NotificationCenter::defaultCenter()->post(ProgramKeyFunctionDidChange, nullptr,
                                              {{DefaultsKeys::ProgramKeyFunction, index}});
}

void GeneralPreferencesPane::setKeepCameraSet(int column)
{
    defaults_->setValue(DefaultsKeys::KeepCameraSet, column);
    NotificationCenter::defaultCenter()->post(KeepCameraSetDidChange, nullptr,
                                              {{DefaultsKeys::KeepCameraSet, column}});
}

void GeneralPreferencesPane::setPhotoNameFormat(int row)
{
    defaults_->setValue(DefaultsKeys::PhotoNameFormatSel, row);
    postPhotoNameFormat(row, prefixField_->text());
}

void GeneralPreferencesPane::setPhotoNameFormatFromField()
{
    postPhotoNameFormat(defaults_->integerForKey(DefaultsKeys::PhotoNameFormatSel, 0), prefixField_->text());
}

void GeneralPreferencesPane::postPhotoNameFormat(int selection, const QString &prefix)
{
    // The prefix is kept as typed; photo naming cleans it when a name is made.
    defaults_->setValue(DefaultsKeys::PhotoNameFormatSelPrefix, prefix);
    updateExampleName();
    NotificationCenter::defaultCenter()->post(
        PhotoNameFormatSelDidChange, nullptr,
        {{DefaultsKeys::PhotoNameFormatSel, selection}, {DefaultsKeys::PhotoNameFormatSelPrefix, prefix}});
}

QString GeneralPreferencesPane::examplePhotoName(const PhotoSettings &settings, UserDefaults *defaults,
                                                 const QDateTime &now)
{
    return QFileInfo(PhotoWriter::nextPhotoPath(settings, defaults, now)).fileName();
}

void GeneralPreferencesPane::updateExampleName()
{
    PhotoSettings settings = PhotoSettings::fromDefaults(defaults_);
    settings.useCustomPrefix = nameFormat_->checkedId() == 1;
    settings.customPrefix = prefixField_->text();
    exampleName_->setText(examplePhotoName(settings, defaults_, QDateTime::currentDateTime()));
}

bool GeneralPreferencesPane::isWritableFolder(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".arvo-probe-XXXXXX")));
    return probe.open();
}

void GeneralPreferencesPane::choosePhotoLibraryLocation()
{
    auto *chooser = new QFileDialog(window(), tr("Photo Library Folder"), LibraryFolder::current(defaults_));
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setAcceptMode(QFileDialog::AcceptOpen);
    chooser->setLabelText(QFileDialog::Accept, tr("Choose"));
    chooser->setWindowModality(Qt::WindowModal);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString &folder) {
        if (!folder.isEmpty())
            setPhotoLibraryLocation(folder);
    });
    chooser->open();
}

bool GeneralPreferencesPane::setPhotoLibraryLocation(const QString &folder)
{
    const QString path = LibraryFolder::resolve(folder);
    if (path.isEmpty() || !isWritableFolder(path)) {
        LUMO_LOG("library folder refused: %s", qPrintable(path));
        auto *box =
            new QMessageBox(QMessageBox::Warning, tr("Photo Library"),
                            tr("Photos cannot be saved in \"%1\".").arg(QDir::toNativeSeparators(path)),
                            QMessageBox::Ok, window());
        box->setObjectName(QStringLiteral("libraryFolderRefused"));
        box->setInformativeText(tr("Arvo cannot write to that folder. The photo library stays in \"%1\".")
                                    .arg(pathField_->text()));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->open();
        return false;
    }
    pathField_->setText(QDir::toNativeSeparators(path));
    defaults_->setValue(DefaultsKeys::PhotoLibraryLocation, path);
    updateExampleName();
    NotificationCenter::defaultCenter()->post(PhotoLibraryLocationDidChange, nullptr,
                                              {{DefaultsKeys::PhotoLibraryLocation, path}});
    return true;
}

void GeneralPreferencesPane::setInstantTimer(int column)
{
    defaults_->setValue(DefaultsKeys::InstantPreview, column);
    NotificationCenter::defaultCenter()->post(InstantPreviewDidChange, nullptr,
                                              {{DefaultsKeys::InstantPreview, column}});
}

void GeneralPreferencesPane::toggleSnapshotSoundEffect(bool on)
{
    defaults_->setValue(DefaultsKeys::SnapshotSoundEffectSwitch, on);
    NotificationCenter::defaultCenter()->post(SnapshotSoundEffectDidChange, nullptr,
                                              {{DefaultsKeys::SnapshotSoundEffectSwitch, on}});
}

void GeneralPreferencesPane::toggleFocusSoundEffect(bool on)
{
    defaults_->setValue(DefaultsKeys::FocusSoundEffectSwitch, on);
    NotificationCenter::defaultCenter()->post(FocusSoundEffectDidChange, nullptr,
                                              {{DefaultsKeys::FocusSoundEffectSwitch, on}});
}
