// How the program changes its own controls: the change runs the control's handler once,
// as a user's change does, even when the new value equals the old one.
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>

#include "main_window/echo.h"

namespace corvanta {

void Echo::Selectionner(QComboBox* liste, int index, const std::function<void()>& gestionnaire) {
    {
        const QSignalBlocker bloque(liste);
        liste->setCurrentIndex(index);
    }
    gestionnaire();
}

void Echo::Changer_Texte(QLineEdit* boite, const QString& texte,
                         const std::function<void()>& gestionnaire) {
    {
        const QSignalBlocker bloque(boite);
        boite->setText(texte);
    }
    gestionnaire();
}

void Echo::Activer(QTimer* minuterie) {
    // Enabling a running timer keeps its pace.
    if (!minuterie->isActive())
        minuterie->start();
}

void Echo::Nommer_Fichier_Aide(const QString& nom) {
    fichier_aide_ = QDir(etat_.Repertoire_Programme).filePath(nom);
    if (aide_ != nullptr)
        return;
    aide_ = new QShortcut(QKeySequence::HelpContents, this);
    aide_->setContext(Qt::ApplicationShortcut);
    QObject::connect(aide_, &QShortcut::activated, this, [this] {
        if (QFileInfo::exists(fichier_aide_)) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(fichier_aide_));
        }
    });
}

}  // namespace corvanta
