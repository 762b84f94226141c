#include "ui/qt/view3d_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "ui/fault_search_job.h"
#include "ui/qt/event_wait.h"
#include "ui/qt/fault_list_panel.h"
#include "ui/qt/geometry_view_captions.h"
#include "ui/qt/png_saving.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/view3d_canvas.h"
#include "ui/qt/view3d_captions.h"
#include "ui/view3d_pointing.h"

namespace tessarin::ui::qt {

namespace {

QImage ToQImage(const preview::RgbImage& image) {
  if (image.width <= 0 || image.height <= 0) return {};
  return QImage(image.pixels.data(), image.width, image.height, 3 * image.width, QImage::Format_RGB888).copy();
}

std::array<double, 7> ViewFields(const settings::VIEWPARM& set) {
  return {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z, set.viewSize, set.azimuth, set.elevation, set.twist};
}

}  // namespace

View3dWindow::View3dWindow(Controller& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), controller_(controller) {
  setWindowTitle(captions::kView3d);
  BuildLayout();
  loader_ = std::make_unique<TrackSceneLoader>([this](std::uint64_t request, view3d::SetTracks tracks) {
    QMetaObject::invokeMethod(
        this, [this, request, tracks = std::move(tracks)]() mutable { TracksLoaded(request, std::move(tracks)); },
        Qt::QueuedConnection);
  });
  rendering_ = std::make_unique<View3dRendering>([this](const view3d::RenderedFrame& frame) {
    QMetaObject::invokeMethod(this, [this, frame] { ShowFrame(frame); }, Qt::QueuedConnection);
  });
  resize(1200, 700);
}

View3dWindow::~View3dWindow() = default;

void View3dWindow::BuildLayout() {
  auto* top = new QHBoxLayout;
  translucent_ = new QCheckBox(captions::kTranslucentCells);
  translucent_->setToolTip(captions::kTipTranslucentCells);
  translucent_->setChecked(true);
  top->addWidget(translucent_);
  tracksThrough_ = new QCheckBox(captions::kTracksThroughCells);
  tracksThrough_->setToolTip(captions::kTipTracksThroughCells);
  top->addWidget(tracksThrough_);
  top->addStretch(1);
  auto* reset = new QPushButton(captions::kView3dReset);
  reset->setToolTip(captions::kTipView3dReset);
  top->addWidget(reset);
  auto* apply = new QPushButton(captions::kApplyToSet);
  apply->setToolTip(captions::kTipApplyToSet);
  top->addWidget(apply);
  auto* save = new QPushButton(captions::kSaveImage);
  top->addWidget(save);

  canvas_ = new View3dCanvas;
  notice_ = new QLabel(captions::kNoGeometry3d, canvas_);
  notice_->setWordWrap(true);
  notice_->setStyleSheet("color: white");
  notice_->setGeometry(10, 10, 400, 60);
  faults_ = new FaultListPanel;
  faults_->setFixedWidth(300);
  auto* middle = new QHBoxLayout;
  middle->addWidget(canvas_, 1);
  middle->addWidget(faults_);
  status_ = new QLabel(" ");
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addWidget(status_);

  const auto optionsChanged = [this] {
    view3d::RenderOptions options;
    options.translucency = translucent_->isChecked();
    options.tracksThroughCells = tracksThrough_->isChecked();
    rendering_->SetOptions(options);
  };
  connect(translucent_, &QCheckBox::toggled, this, optionsChanged);
  connect(tracksThrough_, &QCheckBox::toggled, this, optionsChanged);
  connect(reset, &QPushButton::clicked, this, [this] { ResetView(); });
  connect(apply, &QPushButton::clicked, this, [this] { ApplyToSet(); });
  connect(save, &QPushButton::clicked, this, [this] { ChooseAndSave(); });
  canvas_->orbited = [this](QPointF by) {
    state_.OrbitBy(by.x(), by.y());
    ViewChanged();
  };
  canvas_->panned = [this](QPointF by) {
    state_.PanBy(by.x(), by.y(), canvas_->width());
    ViewChanged();
  };
  canvas_->zoomed = [this](double factor) {
    state_.ZoomBy(factor);
    ViewChanged();
  };
  canvas_->pointed = [this](QPointF at) { DescribePoint(at); };
  canvas_->clicked = [this](QPointF at) { PickPoint(at); };
  canvas_->resized = [this] { RequestPicture(); };
  faults_->searchWanted = [this] { SearchFaults(); };
  faults_->chosen = [this](const FaultRow& row) { ShowFault(row); };
}

void View3dWindow::Refresh() {
  const input::GeometryModel& model = controller_.Model();
  const settings::VIEWPARM& set = controller_.WorkingCopy();
  const bool loaded = model.loaded && !model.cells.empty();
  notice_->setVisible(!loaded);
  if (!loaded) {
    scene_.reset();
    shown_.reset();
    sceneDigest_ = 0;
    rendering_->Stop();
    canvas_->SetImage({});
    faultScene_.reset();
    faults_->Clear();
    marked_.reset();
    ShowMarker();
    return;
  }
  const std::array<double, 7> view = ViewFields(set);
  if (!hasView_ || view != viewFields_) {
    state_.Reset(set);
    viewFields_ = view;
    hasView_ = true;
  }
  const std::uint64_t digest = SceneDigest(model, set);
  if (!scene_ || digest != sceneDigest_) {
    scene_ = std::make_shared<const view3d::Scene>(view3d::SceneOfSet(model, set));
    sceneDigest_ = digest;
    faultScene_.reset();
    faults_->Clear();
    marked_.reset();
  } else {
    // Same cells and world: the engine stays, the rows, plane and background may not.
    auto scene = std::make_shared<view3d::Scene>(*scene_);
    view3d::RefreshLooks(*scene, model, set);
    scene_ = std::move(scene);
  }
  RefreshTracks(set);
  RequestPicture();
}

void View3dWindow::RefreshTracks(const settings::VIEWPARM& set) {
  TrackSceneInputs inputs = TrackSceneInputsOf(set, controller_.Context());
  if (inputs == trackInputs_ && trackRequest_ != 0) return;
  trackInputs_ = std::move(inputs);
  if (trackInputs_.path.empty()) {
    loader_->Stop();
    tracksPending_ = false;
    trackRequest_ = 0;
    rendering_->SetTracks(nullptr);
    return;
  }
  tracksPending_ = true;
  trackRequest_ = loader_->Load(set, controller_.Context());
}

void View3dWindow::TracksLoaded(std::uint64_t request, view3d::SetTracks tracks) {
  if (request != trackRequest_) return;
  tracksPending_ = false;
  // The messages of the reading go to the status line; the main window's
  // commands report them in full.
  if (!tracks.messages.empty()) status_->setText(ToQString(tracks.messages.back()));
  rendering_->SetTracks(std::move(tracks.scene));
}

void View3dWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void View3dWindow::hideEvent(QHideEvent* event) {
  // Nobody sees the pictures: stop drawing them and reading for them.
  rendering_->Stop();
  loader_->Stop();
  tracksPending_ = false;
  trackRequest_ = 0;
  QWidget::hideEvent(event);
}

void View3dWindow::ViewChanged() {
  rendering_->SetView(state_.View());
  ShowMarker();
}

void View3dWindow::RequestPicture() {
  ShowMarker();
  if (!scene_ || !isVisible()) return;
  rendering_->SetSize(canvas_->width(), canvas_->height());
  rendering_->SetView(state_.View());
  rendering_->SetScene(scene_);
}

void View3dWindow::ShowFrame(const view3d::RenderedFrame& frame) {
  if (!rendering_->IsLatest(frame)) return;
  if (!frame.picture) {
    status_->setText(QString(captions::kView3dFailed).arg(ToQString(frame.error)));
    return;
  }
  shown_ = frame.picture;
  shownFull_ = frame.full;
  shownRequest_ = frame.request;
  canvas_->SetImage(ToQImage(frame.picture->image));
}

void View3dWindow::ResetView() {
  state_.Reset(controller_.WorkingCopy());
  ViewChanged();
}

void View3dWindow::ApplyToSet() {
  if (!state_.ApplyTo(controller_.EditWorkingCopy())) return;
  controller_.MarkModified();
  controller_.ShowWorkingCopy();
}

bool View3dWindow::PixelUnder(QPointF at, int& column, int& row) const {
  if (!shown_ || rendering_->SceneShown() == nullptr || canvas_->width() <= 0 || canvas_->height() <= 0) return false;
  column = static_cast<int>(std::floor(at.x() * shown_->image.width / canvas_->width()));
  row = static_cast<int>(std::floor(at.y() * shown_->image.height / canvas_->height()));
  return true;
}

void View3dWindow::DescribePoint(QPointF at) {
  int column = 0, row = 0;
  if (!PixelUnder(at, column, row)) return;
  status_->setText(
      ToQString(HitDescription(HitAtPixel(*rendering_->SceneShown(), *shown_, column, row), controller_.Model())));
}

void View3dWindow::PickPoint(QPointF at) {
  int column = 0, row = 0;
  if (!PixelUnder(at, column, row)) return;
  const std::optional<View3dHit> hit = HitAtPixel(*rendering_->SceneShown(), *shown_, column, row);
  status_->setText(ToQString(HitDescription(hit, controller_.Model())));
  if (hit && hit->cell >= 0 && cellPicked) cellPicked(hit->inside);
}

void View3dWindow::SearchFaults() {
  if (!scene_) return;
  // The Geometry view's search of the same set: the same cells, region and options.
  const settings::VIEWPARM& set = controller_.WorkingCopy();
  if (!faultScene_) faultScene_ = std::make_shared<const GeometryViewScene>(controller_.Model(), set);
  faults_->Search(faultScene_, FaultSearchBox(set));
}

void View3dWindow::ShowFault(const FaultRow& row) {
  state_.FocusOn(row.at, row.bounds);
  marked_ = row.at;
  ViewChanged();
}

void View3dWindow::ShowMarker() {
  const auto pixel = marked_ ? state_.PixelOf(*marked_, canvas_->width(), canvas_->height()) : std::nullopt;
  canvas_->SetMarker(pixel ? std::optional<QPointF>(QPointF(pixel->first, pixel->second)) : std::nullopt);
}

QString View3dWindow::StatusText() const { return status_->text(); }

bool View3dWindow::SaveImage(const QString& path) const { return SavePngReplacing(canvas_->Image(), path); }

void View3dWindow::ChooseAndSave() { ChooseAndSavePng(this, canvas_->Image(), captions::kView3d); }

bool View3dWindow::WaitForPicture(int milliseconds) {
  return ProcessEventsUntil(
      [this] {
        return !tracksPending_ && shown_ && shownFull_ && rendering_->LatestRequest() != 0 &&
               shownRequest_ == rendering_->LatestRequest();
      },
      milliseconds);
}

}  // namespace tessarin::ui::qt
