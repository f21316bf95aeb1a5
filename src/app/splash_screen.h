// The start-up splash: shown until its timer runs out, a key is pressed or the
// window is clicked.
#pragma once

#include <QSplashScreen>

namespace brackle {

class SplashScreen : public QSplashScreen {
    Q_OBJECT
public:
    explicit SplashScreen(int milliseconds = 1800);
    // Runs the event loop until the splash is done.
    void RunUntilDone();
    bool done() const { return done_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Finish();
    int milliseconds_;
    bool done_ = false;
};

}  // namespace brackle
