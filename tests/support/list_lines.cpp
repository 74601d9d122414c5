#include "tests/support/list_lines.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>

namespace corvanta::test {

QStringList Lignes(const QAbstractItemView* liste) {
    const QAbstractItemModel* modele = liste->model();
    QStringList lignes;
    for (int i = 0; i < modele->rowCount(liste->rootIndex()); ++i)
        lignes << modele->index(i, 0, liste->rootIndex()).data().toString();
    return lignes;
}

QStringList Lignes(const QComboBox* liste) {
    QStringList lignes;
    for (int i = 0; i < liste->count(); ++i)
        lignes << liste->itemText(i);
    return lignes;
}

QString Ligne_Choisie(const QAbstractItemView* liste) {
    const QModelIndex courante = liste->currentIndex();
    return courante.isValid() && liste->selectionModel()->isSelected(courante)
               ? courante.data().toString()
               : QString();
}

}  // namespace corvanta::test
