#include "LoadingNotice.h"

#include <QLabel>
#include <QMovie>

// The animation resource lives in the appcore library; this links it in.
static void initAppResources() { Q_INIT_RESOURCE(app); }

LoadingNotice::LoadingNotice(QWidget* parent) : QFrame(parent) {
  initAppResources();
  setObjectName(QStringLiteral("formFrame"));
  picture_ = new QLabel(QStringLiteral("TextLabel"), this);
  picture_->setObjectName(QStringLiteral("label"));
  picture_->setStyleSheet(QStringLiteral("background-color: transparent;"));
  picture_->setGeometry(140, 20, 120, 120);
  auto* caption = new QLabel(QStringLiteral("正在加载海图..."), this);
  caption->setObjectName(QStringLiteral("label_2"));
  QFont captionFont(QStringLiteral("Agency FB"));
  captionFont.setPointSize(14);
  captionFont.setWeight(50);
  captionFont.setItalic(false);
  caption->setFont(captionFont);
  caption->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  caption->setStyleSheet(
      QStringLiteral("color: rgb(255, 85, 127);\nfont: 14pt \"宋体\";\nfont: 14pt \"Agency FB\";"));
  caption->setGeometry(0, 150, 400, 50);

  movie_ = new QMovie(QStringLiteral(":/timg1.gif"), QByteArray(), this);
  picture_->setMovie(movie_);
  picture_->setScaledContents(true);
  movie_->stop();
  hide();
}

void LoadingNotice::start() {
  movie_->start();
  show();
}

void LoadingNotice::stop() {
  hide();
  movie_->stop();
}
