#pragma once
// The notice in the middle of the window while a folder of cells loads: an
// animation over the caption "正在加载海图...". Hidden until a load starts.
#include <QFrame>

class QLabel;
class QMovie;

class LoadingNotice : public QFrame {
  Q_OBJECT

public:
  explicit LoadingNotice(QWidget* parent = nullptr);

  // Shows the notice with its animation running.
  void start();
  // Hides the notice and stops the animation.
  void stop();

private:
  QLabel* picture_ = nullptr;
  QMovie* movie_ = nullptr;
};
