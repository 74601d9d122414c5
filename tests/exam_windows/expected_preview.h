#pragma once

#include <QByteArray>
#include <QImage>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "app/etat_application.h"
#include "exams/examen_sinus.h"
#include "exams/fenetres_examen_corvanta.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/message_boxes.h"
#include "tests/support/sqlite_shell.h"
#include "tests/support/workstation.h"

namespace corvanta::test {

// What a preview box of `taille` must show of `samples` with the main window's filter
// settings and points now.
QImage Apercu_Attendu(Workstation& c, const QByteArray& samples, QSize taille = QSize(137, 129));

}  // namespace corvanta::test
