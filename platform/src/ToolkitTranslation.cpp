#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

struct Gap {
    const char* Context;
    const char* Source;
    const char* French;
};

// Texts of Qt's dialogs that its French catalogue leaves in English.
constexpr Gap Gaps[] = {
    {"QAbstractFileIconProvider", "Drive", "Lecteur"},
    {"QAbstractFileIconProvider", "File", "Fichier"},
    {"QAbstractFileIconProvider", "Folder", "Dossier"},
    {"QAbstractFileIconProvider", "Shortcut", "Raccourci"},
    {"QAbstractFileIconProvider", "Unknown", "Inconnu"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Impression recto-verso"},
    {"QPrintSettingsOutput", "Off", "Désactivée"},
    {"QPrintSettingsOutput", "Long side binding", "Reliure côté long"},
    {"QPrintSettingsOutput", "Short side binding", "Reliure côté court"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Indiquez des pages ou des intervalles séparés par des virgules ; un intervalle s'écrit avec deux nombres "
     "séparés par un tiret. Par exemple, 3,5-7,9 imprime les pages 3, 5, 6, 7 et 9."},
    {"QPrintPropertiesDialog", "Printer Properties", "Propriétés de l'imprimante"},
    {"QPrintPropertiesWidget", "Advanced", "Avancé"},
    {"QPPDOptionsModel", "Name", "Nom"},
    {"QPPDOptionsModel", "Value", "Valeur"},
    {"QPrintDialog", "Invalid Pages Definition", "Pages mal définies"},
    {"QPrintDialog",
     "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and "
     "make sure ranges do not intersect with each other.",
     "%1 n'a pas la forme attendue. Séparez les pages et les intervalles par « , », écrivez les intervalles avec "
     "« - » et veillez à ce qu'ils ne se chevauchent pas."},
    {"QPrintDialog", "Page Setup Conflicts", "Conflits de mise en page"},
    {"QPrintDialog", "There are conflicts in page setup options. Do you want to fix them?",
     "Des options de mise en page sont en conflit. Voulez-vous les corriger ?"},
    {"QPrintDialog", "Advanced Option Conflicts", "Conflits d'options avancées"},
    {"QPrintDialog", "There are conflicts in some advanced options. Do you want to fix them?",
     "Des options avancées sont en conflit. Voulez-vous les corriger ?"},
    {"QPrintDialog", "Duplex Settings Conflicts", "Conflits de réglages recto-verso"},
    {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?",
     "Des réglages recto-verso sont en conflit. Voulez-vous les corriger ?"},
    {"QPrintDialog", "There are conflicts in some options. Please fix them.",
     "Des options sont en conflit. Veuillez les corriger."},
};

// Answers for the gaps alone; Qt asks it before the catalogue.
class GapTranslator final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* Context, const char* Source, const char*, int) const override
    {
        if (!Context || !Source) return QString();
        for (const Gap& gap : Gaps)
            if (std::strcmp(gap.Context, Context) == 0 && std::strcmp(gap.Source, Source) == 0)
                return QString::fromUtf8(gap.French);
        return QString();
    }
};

}  // namespace

namespace pl {

void LoadToolkitTranslation()
{
    // The widgets' and the print support's texts are all in Qt's base catalogue.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* catalogue = new QTranslator(QCoreApplication::instance());
    if (!catalogue->load(QStringLiteral("qtbase_fr"), folder) || !QCoreApplication::installTranslator(catalogue)) {
        delete catalogue;
        const String where = (folder + QStringLiteral("/qtbase_fr.qm")).toStdString();
        std::fprintf(stderr, "%s\n", Format(SToolkitTranslationMissing, where).c_str());
        return;
    }
    QCoreApplication::installTranslator(new GapTranslator(QCoreApplication::instance()));
    // Dates, sizes and file kinds in Qt's dialogs as a French system shows
    // them. The layer's own number and date texts never ask Qt's locale.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

}  // namespace pl
