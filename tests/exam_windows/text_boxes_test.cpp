// The text boxes of the three exam windows, driven by real key events, and what a
// rewrite does to texts that rows from elsewhere hold.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

#include "exams/examen_plevre.h"
#include "exams/examen_tumeur.h"
#include "tests/exam_windows/expected_preview.h"

namespace corvanta::test {
namespace {

const QString kEmoji = QString::fromUtf8("\xF0\x9F\xA9\xBA");  // outside the basic plane

struct Type_Fenetre {
    const char* nom;
    int type;
    std::function<Fenetre_Examen&(Workstation&)> ouvrir;
    std::vector<std::pair<QString, QString>> boites_lignes;  // box, column
};

const std::pair<QString, QString> kMedical{"Texte_Traitement_Medical",
                                           "Decision_Traitement_Medical_Detail"};
const std::pair<QString, QString> kChirurgical{"Texte_Traitement_Chirurgical",
                                               "Decision_Traitement_Chirurgical_Detail"};

const std::vector<Type_Fenetre>& Types() {
    static const std::vector<Type_Fenetre> types{
        {"sinus",
         0,
         [](Workstation& c) -> Fenetre_Examen& { return c.ouvrir(); },
         {kMedical, kChirurgical}},
        {"pleura",
         2,
         [](Workstation& c) -> Fenetre_Examen& {
             c.echo->Menu_Plevre->trigger();
             return c.ouvrir<Examen_Plevre>();
         },
         {kChirurgical}},
        {"tumour",
         3,
         [](Workstation& c) -> Fenetre_Examen& {
             c.echo->Menu_Tumeur->trigger();
             return c.ouvrir<Examen_Tumeur>();
         },
         {kMedical, kChirurgical}},
    };
    return types;
}

// One patient with a curve and an exam of each window's type, the stock shell writing a
// long text into every text column: accents, every kind of line break,
// a no-break space, a tab and a character outside the basic plane.
struct TextBoxWorkstation : Workstation {
    TextBoxWorkstation() {
        patient_ = patient(QStringLiteral("LEFÈVRE-DUBOIS"), QStringLiteral("Ève-Marie"));
        for (const Type_Fenetre& t : Types()) {
            const auto k = courbe(patient_, t.type, QStringLiteral("09/12/2026 10:00"));
            examen(patient_, t.type, QStringLiteral("01"), k, k);
        }
        colonnes_ = Shell(dossier.base(),
                          "SELECT name FROM pragma_table_info('Examens') WHERE type = 'TEXT' "
                          "AND name NOT IN ('Num_Examen', 'Date_Examen');");
        const QString unite = QString::fromUtf8(
            "Décortication pleurale sous thoracoscopie, drain n° 28|1|contrôle à J+2|2|"
            "Ève\xC2\xA0Lefèvre|3|\tœdème ");
        const QString texte = QStringLiteral(
                                  "replace(replace(replace('%1%2', '|1|', char(13, 10)), '|2|', "
                                  "char(13)), '|3|', char(10))")
                                  .arg(unite.repeated(3), kEmoji);
        QStringList affectations;
        for (const QString& colonne : colonnes_)
            affectations << colonne + QStringLiteral(" = ") + texte;
        Shell(
            dossier.base(),
            QStringLiteral("UPDATE Examens SET %1;").arg(affectations.join(QStringLiteral(", "))));
    }
    // Every text column of every exam, as the shell gives its bytes.
    QStringList Octets() {
        QString sql = QStringLiteral("SELECT Code_Examen");
        for (const QString& colonne : colonnes_)
            sql += QStringLiteral(" || ':' || typeof(%1) || hex(%1)").arg(colonne);
        return Shell(dossier.base(), sql + QStringLiteral(" FROM Examens ORDER BY 1;"));
    }
    std::int64_t patient_;
    QStringList colonnes_;
};

int Curseur(const QWidget* boite) {
    if (auto* ligne = qobject_cast<const QLineEdit*>(boite))
        return ligne->cursorPosition();
    return static_cast<const QPlainTextEdit*>(boite)->textCursor().position();
}

QString Texte(const QWidget* boite) {
    if (auto* ligne = qobject_cast<const QLineEdit*>(boite))
        return ligne->text();
    return static_cast<const QPlainTextEdit*>(boite)->toPlainText();
}

void Taper(QWidget* boite, const QString& texte) {
    QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_unknown, texte, Qt::NoModifier);
}

void Vider(QWidget* boite) {
    QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(boite, Qt::Key_Delete);
}

// What a user can do to a box limited to `limite` characters, checked as it goes.
void Essayer_Limite(QWidget* boite, int limite, const std::string& nom) {
    SCOPED_TRACE(nom);
    const QString debut(limite - 4, u'a');
    QTest::keyClicks(boite, debut + QStringLiteral("Thoracoscopie"));
    EXPECT_EQ(Texte(boite), debut + QStringLiteral("Thor"));
    QTest::keyClick(boite, Qt::Key_Home,
                    qobject_cast<QLineEdit*>(boite) ? Qt::NoModifier : Qt::ControlModifier);
    QTest::keyClicks(boite, QStringLiteral("Z"));
    EXPECT_EQ(Texte(boite), debut + QStringLiteral("Thor")) << "refused, nothing scrambled";
    EXPECT_EQ(Curseur(boite), 0) << "the cursor stays";

    Vider(boite);
    QGuiApplication::clipboard()->setText(QString(limite + 11, u'x'));
    QTest::keyClick(boite, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Texte(boite), QString(limite, u'x')) << "a paste is cut at the limit";

    // The last place takes a character outside the basic plane whole, or refuses it, and
    // a letter with its accent as a second code point goes in whole or not at all.
    Vider(boite);
    QTest::keyClicks(boite, QString(limite - 1, u'a'));
    Taper(boite, kEmoji);
    Taper(boite, kEmoji);
    QTest::keyClicks(boite, QStringLiteral("b"));
    EXPECT_EQ(Texte(boite), QString(limite - 1, u'a') + kEmoji);
    QTest::keyClick(boite, Qt::Key_Backspace);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("e\xCC\x81"));
    QTest::keyClick(boite, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Texte(boite), QString(limite - 1, u'a'));
    QTest::keyClicks(boite, QStringLiteral("a"));
    Taper(boite, kEmoji);
    EXPECT_EQ(Texte(boite), QString(limite, u'a'));
}

TEST(TextBoxes, KeysPastTheLimitAreRefusedWholeAndTabMovesOn) {
    for (const Type_Fenetre& t : Types()) {
        TextBoxWorkstation c;
        c.demarrer();
        c.echo->Liste_Nom->setCurrentIndex(0);
        Fenetre_Examen& w = t.ouvrir(c);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.Toolbar1_Boutons[4]->trigger();
        for (QComboBox* combo : w.findChildren<QComboBox*>(QRegularExpression("^Combo_Echogramme")))
            combo->setCurrentIndex(0);
        std::vector<std::pair<QWidget*, int>> boites{{w.Texte_Docteur_Patient, 49},
                                                     {w.Texte_Examen_Compatible, 199}};
        for (const auto& [nom, colonne] : t.boites_lignes)
            boites.emplace_back(w.findChild<QPlainTextEdit*>(nom), 49);
        for (const auto& [boite, limite] : boites) {
            ASSERT_NE(boite, nullptr) << t.nom;
            // Joined as QStrings: GCC 12 at -O3 warns falsely of overlapping copies in
            // const char* + std::string.
            const std::string nom =
                (QString::fromUtf8(t.nom) + u' ' + boite->objectName()).toStdString();
            boite->setFocus();
            Essayer_Limite(boite, limite, nom);
            QTest::keyClick(boite, Qt::Key_Tab);
            EXPECT_NE(w.focusWidget(), boite) << nom;
            EXPECT_EQ(Texte(boite), QString(limite, u'a')) << nom;
        }
        w.Toolbar1_Boutons[5]->trigger();
        ASSERT_TRUE(c.messages.boites.empty()) << c.messages.boites[0].texte.toStdString();
        for (const auto& [nom, colonne] : t.boites_lignes) {
            EXPECT_EQ(Shell(c.dossier.base(),
                            QStringLiteral("SELECT %1 FROM Examens ORDER BY Code_Examen DESC "
                                           "LIMIT 1;")
                                .arg(colonne)),
                      QStringList{QString(49, u'a')})
                << t.nom << " " << nom.toStdString();
        }
    }
}

TEST(TextBoxes, OneTickAndValidateWriteTheOtherTextsBackByteForByte) {
    for (const Type_Fenetre& t : Types()) {
        TextBoxWorkstation c;
        const QStringList avant = c.Octets();
        c.demarrer();
        c.echo->Liste_Nom->setCurrentIndex(0);
        Fenetre_Examen& w = t.ouvrir(c);
        ASSERT_EQ(w.Liste_Examens->count(), 1) << t.nom;
        auto* coche = w.findChild<QCheckBox*>(QStringLiteral("Check_Decision_Scanner"));
        ASSERT_NE(coche, nullptr) << t.nom;
        QTest::mouseClick(coche, Qt::LeftButton);
        ASSERT_TRUE(coche->isChecked()) << t.nom;
        w.Toolbar1_Boutons[5]->trigger();
        ASSERT_TRUE(c.messages.boites.empty()) << c.messages.boites[0].texte.toStdString();
        EXPECT_EQ(c.Octets(), avant) << t.nom;
    }
}

}  // namespace
}  // namespace corvanta::test
