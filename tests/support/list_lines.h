#pragma once

#include <QString>
#include <QStringList>

class QAbstractItemView;
class QComboBox;

namespace corvanta::test {

// The texts of a list's lines, first to last, whatever kind of list view shows them.
QStringList Lignes(const QAbstractItemView* liste);
QStringList Lignes(const QComboBox* liste);
// The text of the list's current line while it is selected, else "".
QString Ligne_Choisie(const QAbstractItemView* liste);

}  // namespace corvanta::test
