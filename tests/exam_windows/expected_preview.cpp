#include "tests/exam_windows/expected_preview.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>

#include "platform/recordset.h"
#include "widgets/quorel_window.h"

namespace corvanta::test {

QImage Apercu_Attendu(Workstation& c, const QByteArray& samples, QSize taille) {
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::black);
    Echantillons_Courbe sortie{};
    const int points = c.echo->Combo1->currentData().toInt();
    c.etat->Bibliotheque->smooth_filter()(reinterpret_cast<const uint8_t*>(samples.constData()),
                                          sortie.data(), c.echo->Slider1[0]->value(),
                                          c.echo->Slider1[1]->value(), points);
    QuorelWindow fenetre = quorelWindow(image);
    c.etat->Bibliotheque->preview_samples()(&fenetre, sortie.data(), points);
    return image;
}

}  // namespace corvanta::test
