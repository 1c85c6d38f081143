#pragma once

#include "form/FormTexts.h"
#include "generation/CardContents.h"
#include "generation/CardWriter.h"
#include "generation/IdentifierFile.h"
#include "parameterfile/ParameterFileForm.h"

#include <QString>

// What "Generate" tells the user, in the window's boxes and on vskwrite's standard error alike: one text for each
// outcome, translated in the context "Configurator". A form refused before the card is touched is told in the form's
// own texts (FormTexts).
namespace GenerateTexts {
// A box's title and text.
using Message = FormTexts::Message;

// No card to write on.
Message noCard();
// A card that refused the file (every result but Written); for Unconfirmed without the identifier's whereabouts.
Message cardOutcome(const CardOutcome& outcome);
// Where the identifier that an unconfirmed card may now carry was saved (the line added to cardOutcome's text).
QString unconfirmedIdentifier(const QUuid& identifier, const IdentifierFile::Saved& saved);
// A card that stopped answering while it was written.
Message notResponding();
// A card that another writer (a window, vskwrite) holds: read, asked about or written just now.
Message cardInUse();
// A card that could not be locked against other writers (reason: the system's).
Message cardNotLocked(const QString& reason);
// Success in the modes without hand-off.
Message generated();
// Success with the identifier handed off: where its file is, the file's name and the identifier itself, or only the
// identifier when no file took it.
Message generatedWithIdentifier(const QUuid& identifier, const IdentifierFile::Saved& saved);

// Added to the success message: whether the card, once written, was let go and may be taken out.
QString cardLetGo(const EjectOutcome& outcome);
// The success box's second answer: the window stays for the next card.
QString prepareAnotherCard();
// The success box's answer that opens the customer portal, for a card after the run's first hand-off.
QString openPortal();

// The line under the card list: what the chosen card holds. A text from the card or the system in any message is
// shown with its control characters escaped (ShownText).
QString cardContents(const CardContents& contents);
// The same for each of the card's files (readCardFiles), one after the other.
QString cardFiles(const QVector<CardContents>& files);
// The same line for a card that did not answer while it was read.
QString cardSilent();
// Asked before "Generate" replaces a file whose identifier was handed to the user, or that cannot be shown to hold
// none (it says why); the answer that replaces it.
Message replaceHandedOffIdentifier(const CardContents& contents);
QString replaceAnswer();

// Told once a file filled the form, before anything is written, when the form would not write the file as it is
// (ParameterFileForm::differsFromFile): field by field, what the file holds and what the form writes. shownPath names
// the file.
Message loadedWithDifferences(const ParameterFileForm& loaded, const QString& shownPath);

// A mode as the mode list shows it ("GSM"), or "unknown mode 7".
QString modeText(quint8 modeCode);

// The maker's customer portal, where the identifier authenticates the installation.
QString portalAddress();
} // namespace GenerateTexts
