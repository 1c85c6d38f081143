#include "generation/GenerateTexts.h"

#include "base/ShownText.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// A text from the card or the system, as the messages show it: control characters escaped.
QString shown(const QString& text)
{
    return ShownText::escaped(text);
}

// What is wrong with the folder "02" on a card that was found, and what the user can do about it.
QString folderProblemText(const CardFolderProblem& problem)
{
    const char* what = nullptr;
    switch (problem.kind) {
    case CardFolderProblem::Kind::IsFile:
        what = QT_TRANSLATE_NOOP("Configurator", "it is a file");
        break;
    case CardFolderProblem::Kind::IsLink:
        what = QT_TRANSLATE_NOOP("Configurator", "it is a link");
        break;
    case CardFolderProblem::Kind::IsOther:
        what = QT_TRANSLATE_NOOP("Configurator", "it is a special file");
        break;
    case CardFolderProblem::Kind::OnAnotherDrive:
        what = QT_TRANSLATE_NOOP("Configurator", "it leads to another drive");
        break;
    case CardFolderProblem::Kind::Unusable:
        return QCoreApplication::translate("Configurator",
                                           "The folder 02 on the SD card cannot be used: %1\nPlease check that the "
                                           "card has free space and is not damaged.")
            .arg(shown(problem.reason));
    }
    return QCoreApplication::translate("Configurator",
                                       "The folder 02 on the SD card is not a folder: %1.\nPlease rename or remove "
                                       "it on the card.")
        .arg(QCoreApplication::translate("Configurator", what));
}
} // namespace

QString GenerateTexts::cardLetGo(const EjectOutcome& outcome)
{
    if (outcome.result == EjectOutcome::Result::Ejected)
        return QCoreApplication::translate("Configurator", "\n\nThe SD card may now be removed.");
    if (outcome.reason.isEmpty())
        return QCoreApplication::translate("Configurator", "\n\nThe SD card could not be ejected. The file is written: "
                                                           "eject the card before you take it out.");
    return QCoreApplication::translate("Configurator", "\n\nThe SD card could not be ejected: %1\nThe file is written: "
                                                       "eject the card before you take it out.")
        .arg(shown(outcome.reason));
}

QString GenerateTexts::modeText(quint8 modeCode)
{
    const char* name = ModeCode::name(modeCode);
    return name ? QCoreApplication::translate("Configurator", name)
                : QCoreApplication::translate("Configurator", "unknown mode %1").arg(modeCode);
}

namespace {
using GenerateTexts::modeText;

QString writtenText(const QDateTime& written)
{
    return written.isValid() ? written.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("?");
}
} // namespace

QString GenerateTexts::cardContents(const CardContents& contents)
{
    switch (contents.state) {
    case CardContents::State::Nothing:
        return QCoreApplication::translate("Configurator", "No configuration on this card.");
    case CardContents::State::Damaged:
        return QCoreApplication::translate("Configurator", "A damaged parameter file (%1).")
            .arg(shown(contents.reason));
    case CardContents::State::Unreadable:
        return QCoreApplication::translate("Configurator", "The card could not be read: %1")
            .arg(shown(contents.reason));
    case CardContents::State::OffCard:
        return QCoreApplication::translate("Configurator",
                                           "The folder 02 leads off the card (%1): what it holds is not the card's.")
            .arg(QCoreApplication::translate("Configurator", contents.reason.toUtf8().constData()));
    case CardContents::State::Configured:
        break;
    case CardContents::State::Foreign:
        if (contents.mainValue.isEmpty())
            return QCoreApplication::translate("Configurator", "On the card: %1, written %2, for another server (%3).")
                .arg(modeText(contents.modeCode), writtenText(contents.written), shown(contents.server));
        return QCoreApplication::translate("Configurator", "On the card: %1 %2, written %3, for another server (%4).")
            .arg(modeText(contents.modeCode), shown(contents.mainValue), writtenText(contents.written),
                 shown(contents.server));
    }
    if (contents.mainValue.isEmpty())
        return QCoreApplication::translate("Configurator", "On the card: %1, written %2.")
            .arg(modeText(contents.modeCode), writtenText(contents.written));
    return QCoreApplication::translate("Configurator", "On the card: %1 %2, written %3.")
        .arg(modeText(contents.modeCode), shown(contents.mainValue), writtenText(contents.written));
}

QString GenerateTexts::cardFiles(const QVector<CardContents>& files)
{
    if (files.isEmpty())
        return cardContents(CardContents());
    QStringList each;
    for (const CardContents& file : files)
        each << cardContents(file);
    return each.join(QLatin1Char(' '));
}

QString GenerateTexts::cardSilent()
{
    return QCoreApplication::translate("Configurator", "The card does not respond: what it holds could not be read.");
}

namespace {
// Why a file may hold a handed-off identifier for all that can be told of it, as the end of "The file ... %1".
QString whyUnknown(const CardContents& contents)
{
    if (contents.state == CardContents::State::Unreadable)
        return QCoreApplication::translate("Configurator", "cannot be read: %1").arg(shown(contents.reason));
    switch (contents.modeFound) {
    case CardContents::ModeFound::CutInHeader:
        return QCoreApplication::translate("Configurator", "is cut inside its header");
    case CardContents::ModeFound::CutBeforeMode:
        return QCoreApplication::translate("Configurator", "is cut before its mode");
    case CardContents::ModeFound::NoSuchMode:
        return QCoreApplication::translate("Configurator", "names an unknown mode (%1)").arg(contents.modeCode);
    case CardContents::ModeFound::NotRead:
    case CardContents::ModeFound::Known:
        break;
    }
    return QString();
}
} // namespace

GenerateTexts::Message GenerateTexts::replaceHandedOffIdentifier(const CardContents& contents)
{
    if (contents.handedOffIdentifier() == CardContents::HandedOff::CannotTell)
        return {QCoreApplication::translate("Configurator", "Replace the configuration?"),
                QCoreApplication::translate(
                    "Configurator",
                    "The file %1 on the SD card %2, so it cannot be told whether it holds an identifier that was "
                    "registered on the customer portal.\nReplacing it gives the installation a new identifier, which "
                    "must be registered again on the customer portal.")
                    .arg(contents.fileName, whyUnknown(contents))};
    return {QCoreApplication::translate("Configurator", "Replace the configuration?"),
            QCoreApplication::translate(
                "Configurator",
                "The SD card holds a %1 configuration written %2, with the identifier %3.\nReplacing it gives the "
                "installation a new identifier, which must be registered again on the customer portal.")
                .arg(modeText(contents.modeCode), writtenText(contents.written), identifierText(contents.identifier))};
}

QString GenerateTexts::replaceAnswer()
{
    return QCoreApplication::translate("Configurator", "Replace");
}

QString GenerateTexts::prepareAnotherCard()
{
    return QCoreApplication::translate("Configurator", "Prepare another card");
}

QString GenerateTexts::openPortal()
{
    return QCoreApplication::translate("Configurator", "Open the portal");
}

GenerateTexts::Message GenerateTexts::noCard()
{
    return {QCoreApplication::translate("Configurator", "SD Card not available"),
            QCoreApplication::translate("Configurator",
                                        "No SD card is available.\nPlease insert one and select it in the list.")};
}

GenerateTexts::Message GenerateTexts::cardOutcome(const CardOutcome& outcome)
{
    switch (outcome.result) {
    case CardOutcome::Result::Written:
        break;
    case CardOutcome::Result::CardNotFound: {
        QString text = QCoreApplication::translate(
            "Configurator", "The SD card was not found in the selected drive.\nPlease select the correct drive.");
        // The card is there, but its folder "02" cannot be used: choosing another drive would mend nothing.
        if (outcome.folderProblem)
            text += QLatin1String("\n\n") + folderProblemText(*outcome.folderProblem);
        return {QCoreApplication::translate("Configurator", "SD Card Not Found"), text};
    }
    case CardOutcome::Result::ReadOnly:
        return {QCoreApplication::translate("Configurator", "SD Card is Read Only"),
                QCoreApplication::translate("Configurator", "The SD card is read only.\nPlease unlock the SD card.")};
    case CardOutcome::Result::Full:
        return {QCoreApplication::translate("Configurator", "SD Card is Full"),
                QCoreApplication::translate("Configurator",
                                            "The SD card has no room for the file.\nPlease free some space on it.")};
    case CardOutcome::Result::Removed:
        return {
            QCoreApplication::translate("Configurator", "SD Card Removed"),
            QCoreApplication::translate("Configurator", "The SD card was removed.\nPlease insert it and try again.")};
    case CardOutcome::Result::NotWritten:
        if (outcome.cardChanged)
            return {QCoreApplication::translate("Configurator", "SD Card changed"),
                    QCoreApplication::translate("Configurator",
                                                "The file %1 on the SD card changed after it was read: something else "
                                                "wrote to the card meanwhile. The card was left as it is.\nPlease "
                                                "check the card and try again.")
                        .arg(outcome.fileName)};
        return {QCoreApplication::translate("Configurator", "File not written"),
                QCoreApplication::translate("Configurator", "The file %1 could not be written on the SD card.\n%2")
                    .arg(shown(outcome.fileName), shown(outcome.reason))};
    case CardOutcome::Result::Unconfirmed:
        return {QCoreApplication::translate("Configurator", "File not written"),
                QCoreApplication::translate("Configurator",
                                            "The file %1 replaced the earlier one on the SD card, but it could not be "
                                            "confirmed there: it may be incomplete.\n%2\nPlease generate it again.")
                    .arg(shown(outcome.fileName), shown(outcome.reason))};
    }
    return {};
}

QString GenerateTexts::unconfirmedIdentifier(const QUuid& identifier, const IdentifierFile::Saved& saved)
{
    if (saved.place == IdentifierFile::Place::Nowhere) {
        return QCoreApplication::translate(
                   "Configurator", "\nThe identifier (GUID) the card may now carry is %1: please write it down.")
            .arg(identifierText(identifier));
    }
    return QCoreApplication::translate("Configurator",
                                       "\nThe identifier (GUID) the card may now carry is %1; it was saved in %2.")
        .arg(identifierText(identifier), shown(saved.filePath));
}

GenerateTexts::Message GenerateTexts::notResponding()
{
    return {
        QCoreApplication::translate("Configurator", "SD Card does not respond"),
        QCoreApplication::translate("Configurator", "The SD card does not respond.\nPlease check it and try again.")};
}

GenerateTexts::Message GenerateTexts::cardInUse()
{
    return {QCoreApplication::translate("Configurator", "SD Card in use"),
            QCoreApplication::translate("Configurator",
                                        "Another window or program is preparing this SD card right now.\nPlease wait "
                                        "until it has finished, then try again.")};
}

GenerateTexts::Message GenerateTexts::cardNotLocked(const QString& reason)
{
    return {QCoreApplication::translate("Configurator", "SD Card in use"),
            QCoreApplication::translate("Configurator",
                                        "The SD card could not be reserved for this program alone: %1\nNothing was "
                                        "written.")
                .arg(reason)};
}

GenerateTexts::Message GenerateTexts::generated()
{
    return {QCoreApplication::translate("Configurator", "File generated"),
            QCoreApplication::translate("Configurator", "The file was generated on the SD Card.")};
}

GenerateTexts::Message GenerateTexts::generatedWithIdentifier(const QUuid& identifier,
                                                              const IdentifierFile::Saved& saved)
{
    QString text = QCoreApplication::translate("Configurator",
                                               "The file was generated on the SD Card and your identifier (GUID) is ");
    switch (saved.place) {
    case IdentifierFile::Place::Desktop:
        text += QCoreApplication::translate("Configurator", "on the Desktop.");
        break;
    case IdentifierFile::Place::Documents:
        text += QCoreApplication::translate("Configurator", "in My Documents.");
        break;
    case IdentifierFile::Place::CardFolder:
        text += QCoreApplication::translate("Configurator", "in the folder 02 on the SD Card.");
        break;
    case IdentifierFile::Place::ApplicationData:
        text += QCoreApplication::translate("Configurator", "in the folder %1.")
                    .arg(QDir::toNativeSeparators(QFileInfo(saved.filePath).absolutePath()));
        break;
    case IdentifierFile::Place::Nowhere:
        // No file holds the identifier: the message is the user's only chance to note it.
        text += identifierText(identifier) +
                QCoreApplication::translate("Configurator",
                                            ".\nIt could not be saved in a file: please write it down now.");
        return {QCoreApplication::translate("Configurator", "File generated"), text};
    }
    // Which file, and what it holds: the identifier may be copied from the box.
    text += QCoreApplication::translate("Configurator", "\n\nThe file \"%1\" holds it: %2")
                .arg(shown(QFileInfo(saved.filePath).fileName()), identifierText(identifier));
    return {QCoreApplication::translate("Configurator", "File generated"), text};
}

namespace {
// A value read from a file (Latin-1) in a message: in quotes, escaped as every shown text is, so that it shows as it
// is; only the beginning of a long value, with its length.
QString shownValue(const QString& value)
{
    constexpr int shownLength = 40;
    QString shown = QLatin1Char('"') + ShownText::escaped(value.left(shownLength)) + QLatin1Char('"');
    if (value.size() > shownLength)
        shown = QCoreApplication::translate("Configurator", "%1... (%2 characters in all)")
                    .arg(shown, QString::number(value.size())); // in one pass: the value may hold "%2"
    return shown;
}

QString loadedField(const ParameterFileForm::Difference& difference)
{
    const QString label = QCoreApplication::translate("Configurator", FormField::describe(difference.field).label);
    const int length = FormField::describe(difference.field).maxLength;
    if (difference.cut() && difference.written) {
        return QCoreApplication::translate("Configurator", "%1: the file holds %2 characters, the field takes %3. The "
                                                           "form holds the first %3 and writes %4.")
            .arg(label)
            .arg(difference.inFile.size())
            .arg(length)
            .arg(shownValue(*difference.written));
    }
    if (difference.cut()) {
        return QCoreApplication::translate("Configurator", "%1: the file holds %2 characters, the field takes %3. The "
                                                           "form holds the first %3, %4, which \"Generate\" refuses as "
                                                           "they stand.")
            .arg(label)
            .arg(difference.inFile.size())
            .arg(length)
            .arg(shownValue(difference.inForm));
    }
    return QCoreApplication::translate("Configurator", "%1: the file holds %2, the form writes %3.")
        .arg(label, shownValue(difference.inFile), shownValue(difference.written.value_or(difference.inForm)));
}
} // namespace

GenerateTexts::Message GenerateTexts::loadedWithDifferences(const ParameterFileForm& loaded, const QString& shownPath)
{
    QString text = QCoreApplication::translate(
                       "Configurator", "The form was filled from %1, but it would not write everything as the file "
                                       "holds it:")
                       .arg(shownPath);
    for (const ParameterFileForm::Difference& difference : loaded.differences)
        text += QLatin1String("\n\n") + loadedField(difference);
    if (!loaded.otherServer.isEmpty()) {
        text += QLatin1String("\n\n") +
                QCoreApplication::translate("Configurator",
                                            "The file is written for another server, %1, perhaps by another release. "
                                            "The form writes this tool's server, %2.")
                    .arg(shownValue(loaded.otherServer), shownValue(QLatin1String(ParameterFile::serverHostName)));
    }
    text += QLatin1String("\n\n") +
            QCoreApplication::translate("Configurator", "Please check the form before you press \"Generate\".");
    return {QCoreApplication::translate("Configurator", "Form filled with changes"), text};
}

QString GenerateTexts::portalAddress()
{
    return QStringLiteral("https://portal.orva.example.net");
}
