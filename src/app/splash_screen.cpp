#include "app/splash_screen.h"

#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

namespace brackle {

namespace {

QPixmap SplashPicture()
{
    QPixmap pix(480, 260);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(32, 48, 40));
    sky.setColorAt(1, QColor(88, 104, 72));
    p.fillRect(pix.rect(), sky);
    // A map grid of hexes, the wargamer's table.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int y = 0; y < 260; y += 26) {
        for (int x = (y / 26) % 2 ? 15 : 0; x < 480; x += 30) {
            QPolygon hex;
            for (int k = 0; k < 6; ++k) {
                static const int dx[] = {0, 13, 13, 0, -13, -13};
                static const int dy[] = {-15, -7, 7, 15, 7, -7};
                hex << QPoint(x + dx[k], y + dy[k]);
            }
            p.drawPolygon(hex);
        }
    }
    p.setPen(QColor(240, 232, 200));
    QFont title(QStringLiteral("Sans"), 40, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 50, 480, 70), Qt::AlignCenter, QStringLiteral("Brackle"));
    QFont sub(QStringLiteral("Sans"), 13);
    p.setFont(sub);
    p.drawText(QRect(0, 120, 480, 30), Qt::AlignCenter, QStringLiteral("Order-of-battle editor for Vornex"));
    QFont small(QStringLiteral("Sans"), 9);
    p.setFont(small);
    p.setPen(QColor(220, 220, 200, 200));
    p.drawText(QRect(0, 210, 480, 20), Qt::AlignCenter,
               QStringLiteral("Version %1  -  press any key to continue").arg(QStringLiteral(BRACKLE_VERSION)));
    return pix;
}

}  // namespace

SplashScreen::SplashScreen(int milliseconds) : QSplashScreen(SplashPicture()), milliseconds_(milliseconds)
{
    setObjectName(QStringLiteral("SplashScreen"));
}

void SplashScreen::RunUntilDone()
{
    show();
    QEventLoop loop;
    QTimer::singleShot(milliseconds_, this, [this] { Finish(); });
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (done_)
            loop.quit();
    });
    poll.start(20);
    if (!done_)
        loop.exec();
}

void SplashScreen::Finish()
{
    done_ = true;
}

void SplashScreen::keyPressEvent(QKeyEvent* event)
{
    Finish();
    event->accept();
}

void SplashScreen::mousePressEvent(QMouseEvent*)
{
    Finish();
}

}  // namespace brackle
