#pragma once

#include <QDialog>

namespace corvanta {

// The wait window shown while the program starts: a fixed white dialog without caption
// text, 470 x 253 pixels, centred on the screen, holding one picture and nothing that acts.
class Attente : public QDialog {
  public:
    static constexpr int kWidth = 470;
    static constexpr int kHeight = 253;

    explicit Attente(QWidget* parent = nullptr);

    // The picture the window shows.
    static QPixmap picture();
};

}  // namespace corvanta
