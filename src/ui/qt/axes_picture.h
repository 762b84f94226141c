#pragma once
// The coordinate axes X, Y and Z as the MGED Graphics Window shows them for
// an azimuth, elevation and twist. An axis whose positive half points away
// from the viewer is labelled with a prime (X', Y', Z').

#include <QWidget>

namespace tessarin::ui::qt {

struct ProjectedAxis {
  double right = 0;  // screen coordinates of the unit vector
  double up = 0;
  bool pointsAway = false;
};

// The projection of world axis 0, 1 or 2 for angles in degrees.
ProjectedAxis ProjectAxis(int axis, double azimuth, double elevation, double twist);

class AxesPicture : public QWidget {
  Q_OBJECT
 public:
  explicit AxesPicture(QWidget* parent = nullptr);
  void SetAngles(double azimuth, double elevation, double twist);
  QSize sizeHint() const override { return {170, 170}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double azimuth_ = 0, elevation_ = 0, twist_ = 0;
};

}  // namespace tessarin::ui::qt
