// What the patient window stores for what is typed, and what it shows for what is stored.
#include <gtest/gtest.h>

#include "patients/fiche_patient.h"
#include "widgets/text_lines.h"

namespace corvanta {
namespace {

TEST(PatientCardFields, BirthDateIsStoredDayFirstWithFourDigitYear) {
    EXPECT_EQ(Date_Naissance_Stockee("15/03/1960"), QStringLiteral("15/03/1960"));
    EXPECT_EQ(Date_Naissance_Stockee("1/2/60"), QStringLiteral("01/02/1960"));
    EXPECT_EQ(Date_Naissance_Stockee("07-11-05"), QStringLiteral("07/11/2005"));
    EXPECT_EQ(Date_Naissance_Stockee("29/02/2000"), QStringLiteral("29/02/2000"));
    for (const char* faux : {"31/02/1960", "29/02/1900", "15/13/1960", "1960-03-15x", "15/03/196",
                             "quinze mars", "", "15/03"}) {
        EXPECT_FALSE(Date_Naissance_Stockee(QString::fromUtf8(faux))) << faux;
    }
    EXPECT_EQ(Date_Naissance_Affichee("5/6/1971"), QStringLiteral("05/06/1971"));
    EXPECT_EQ(Date_Naissance_Affichee("inconnue"), QStringLiteral("inconnue"));
}

TEST(PatientCardFields, SocialSecurityNumberKeepsItsTextAndLosesOnlyLeadingZeros) {
    EXPECT_EQ(Numero_SS_Stocke("012"), QStringLiteral("12"));
    EXPECT_EQ(Numero_SS_Stocke("000"), QString());
    // Fifteen digits and more: never through a floating-point number.
    EXPECT_EQ(Numero_SS_Stocke("1600375123456789012"), QStringLiteral("1600375123456789012"));
    EXPECT_EQ(Numero_SS_Stocke("1 60 03 75 123 456"), QStringLiteral("1 60 03 75 123 456"));
    EXPECT_EQ(Numero_SS_Stocke("2A-0123"), QStringLiteral("2A-0123"));
    EXPECT_EQ(Numero_SS_Stocke(""), QString());
}

TEST(PatientCardFields, CommentKeepsItsWholeTextWithLineBreaksAsBlanks) {
    EXPECT_EQ(Commentaire_Stocke("ab\ncd"), QStringLiteral("ab cd"));
    EXPECT_EQ(Commentaire_Stocke("ab\r\ncd\rx"), QStringLiteral("ab cd x"));
    const QString long_texte = QString(30, u'a') + u'\n' + QString(119, u'b');
    EXPECT_EQ(Commentaire_Stocke(long_texte), QString(30, u'a') + u' ' + QString(119, u'b'));
    // Shown again in its box, a stored CR LF is one line break.
    EXPECT_EQ(toBoxText("ab\r\ncd"), QStringLiteral("ab\ncd"));
}

TEST(PatientCardFields, BirthDateCriterionTakesOperatorAndTheWholeDate) {
    const auto critere = [](const char* saisie) {
        const Critere_Date c = Decouper_Critere_Date(QString::fromUtf8(saisie));
        return c.operateur + u'|' + c.date;
    };
    EXPECT_EQ(critere(">=15/03/60"), QStringLiteral(">=|15/03/60"));
    EXPECT_EQ(critere("<=15/03/60"), QStringLiteral("<=|15/03/60"));
    EXPECT_EQ(critere("<15/03/60"), QStringLiteral("<|15/03/60"));
    EXPECT_EQ(critere(">15/3/1960"), QStringLiteral(">|15/3/1960"));
    EXPECT_EQ(critere("=15/03/60"), QStringLiteral("=|15/03/60"));
    EXPECT_EQ(critere("15/03/1960"), QStringLiteral("=|15/03/1960"));
    EXPECT_EQ(critere("> 15/03/60"), QStringLiteral(">|15/03/60"));
}

}  // namespace
}  // namespace corvanta
