#include "report_print/printed_report.h"

namespace corvanta::report {

namespace {

PrintedReport sinus() {
    PrintedReport t{
        .title = {.byType = {{0, {4, 104}}, {1, {4, 103}}, {4, {4, 102}}}},
        .subtitle = {4, 63},
        .commissioningLabel = {4, 64},
        .graphs = 2,
        .referringDoctor = {4, 65},
        .socialSecurity = {4, 96},
        .birthDate = {4, 97},
        .band = PrintedReport::Band::IndicationAndImaging,
        .indicationTitle = {4, 66},
        .indication = {chosen("Origine_Examen_Douleur", "Origine_Examen_Douleur_Type",
                              {{4, 67}, {4, 68}, {4, 69}}),
                       labelled("Origine_Examen_Obstruction", {4, 70}),
                       chosen("Origine_Examen_Ecoulement", "Origine_Examen_Ecoulement_Type",
                              {{4, 71}, {4, 72}}),
                       labelled("Origine_Examen_Fievre", {4, 73}),
                       detailed("Origine_Examen_Autres_ORL", "Origine_Examen_Autres_ORL_Detail"),
                       detailed("Origine_Examen_Autres_CLI", "Origine_Examen_Autres_CLI_Detail"),
                       detailed("Origine_Examen_Biologiques", "Origine_Examen_Biologiques_Detail")},
        .imagingTitle = {4, 4},
        .imaging = {chosen("Imagerie_Face_Standard", "Imagerie_Face_Standard_Status",
                           {{4, 74}, {4, 75}, {4, 76}}),
                    chosen("Imagerie_Echo_B", "Imagerie_Echo_B_Status",
                           {{4, 77}, {4, 78}, {4, 79}}),
                    chosen("Imagerie_Scanner", "Imagerie_Scanner_Status",
                           {{4, 80}, {4, 81}, {4, 82}})},
        .conditions = {},
        .resultsTitle = {.byType = {{0, {4, 83}}, {1, {4, 84}}, {4, {4, 85}}}},
        .heads = {{4, 86}, {4, 87}},
        .gapUnderHeads = true,
        .results = {sideFindings("Droit", 4, 45), sideFindings("Gauche", 4, 45)},
        .conclusionHeading = {4, 48},
        .decisionTitle = {4, 49},
        .decisions = {labelled("Decision_Lavage", {4, 98}), labelled("Decision_Scanner", {4, 50}),
                      detailed("Decision_Traitement_Medical", "Decision_Traitement_Medical_Detail"),
                      labelled("Decision_Traitement_Endoscopie", {4, 51}),
                      detailed("Decision_Traitement_Chirurgical",
                               "Decision_Traitement_Chirurgical_Detail")},
        .letterheadCaptions = {{{4, 88}, {4, 89}}},
    };
    return t;
}

PrintedReport plevre() {
    PrintedReport t{
        .title = {.fixed = {6, 35}},
        .subtitle = {4, 63},
        .commissioningLabel = {4, 64},
        .graphs = 2,
        .referringDoctor = {6, 37},
        .socialSecurity = {6, 46},
        .birthDate = {6, 47},
        .band = PrintedReport::Band::ExaminationConditions,
        .conditions = {.title = {6, 48},
                       .positions = {{{6, 39}, {6, 40}, {6, 41}}},
                       .remarkTitle = {6, 19},
                       .buildTitle = {6, 42},
                       .builds = {{{6, 43}, {6, 44}, {6, 45}}}},
        .resultsTitle = {.fixed = {6, 49}},
        .heads = {{6, 50}, {6, 51}},
        .gapUnderHeads = true,
        .results = {sideFindings("Droit", 6, 23), sideFindings("Gauche", 6, 23)},
        .conclusionHeading = {6, 27},
        .decisionTitle = {6, 28},
        .decisions = {labelled("Decision_Scanner", {6, 29}), labelled("Decision_Drainage", {6, 30}),
                      labelled("Decision_Ponction", {6, 31}),
                      detailed("Decision_Traitement_Chirurgical",
                               "Decision_Traitement_Chirurgical_Detail")},
        .letterheadCaptions = {{{6, 52}, {6, 53}}},
    };
    return t;
}

PrintedReport tumeur() {
    PrintedReport t{
        .title = {.fixed = {7, 100}},
        .subtitle = {7, 101},
        .commissioningLabel = {7, 102},
        .graphs = 1,
        .referringDoctor = {7, 65},
        .socialSecurity = {7, 96},
        .birthDate = {7, 97},
        .band = PrintedReport::Band::IndicationAndImaging,
        .indicationTitle = {7, 66},
        .indication = {chosen("Origine_Examen_Douleur", "Origine_Examen_Douleur_Type",
                              {{7, 67}, {7, 68}, {7, 69}}),
                       labelled("Origine_Examen_Dysphagie", {7, 70}),
                       labelled("Origine_Examen_Fievre", {7, 73}),
                       detailed("Origine_Examen_ORL", "Origine_Examen_ORL_Detail"),
                       detailed("Origine_Examen_Bio", "Origine_Examen_Bio_Detail")},
        .imagingTitle = {7, 4},
        .imaging = {chosen("Imagerie_Echo_B", "Imagerie_Echo_B_Status",
                           {{7, 77}, {7, 78}, {7, 79}}),
                    chosen("Imagerie_Scanner", "Imagerie_Scanner_Status",
                           {{7, 80}, {7, 81}, {7, 82}}),
                    detailed("Imagerie_Autres", "Imagerie_Autres_Status")},
        .conditions = {},
        .resultsTitle = {.fixed = {7, 83}},
        .heads = {{7, 86}},
        .gapUnderHeads = false,
        .results = {{labelled("Echogramme_Tumeur_Normal", {7, 45}),
                     labelled("Echogramme_Tumeur_Liquide", {7, 46}),
                     labelled("Echogramme_Tumeur_Homogene", {7, 47}),
                     labelled("Echogramme_Tumeur_Heterogene", {7, 48}),
                     detailed("Echogramme_Tumeur_Autres", "Echogramme_Tumeur_Autres_Detail")}},
        .conclusionHeading = {7, 49},
        .decisionTitle = {7, 50},
        .decisions = {labelled("Decision_Scanner", {7, 90}),
                      detailed("Decision_Traitement_Medical", "Decision_Traitement_Medical_Detail"),
                      labelled("Decision_Traitement_Cervicotomie", {7, 91}),
                      detailed("Decision_Traitement_Chirurgical",
                               "Decision_Traitement_Chirurgical_Detail")},
        .letterheadCaptions = {{{7, 88}, {7, 89}}},
    };
    return t;
}

}  // namespace

const PrintedReport& printedReport(ReportWindow window) {
    static const PrintedReport reports[] = {sinus(), plevre(), tumeur()};
    return reports[static_cast<int>(window)];
}

}  // namespace corvanta::report
