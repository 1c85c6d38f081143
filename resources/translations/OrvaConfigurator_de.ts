<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Configurator</name>
    <message>
        <source>Access Point Name (APN)</source>
        <translation>Zugangspunkt (APN)</translation>
    </message>
    <message>
        <source>Ask your provider</source>
        <translation>Beim Anbieter erfragen</translation>
    </message>
    <message>
        <source>Access Point User Name</source>
        <translation>APN-Benutzername</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Access Point Password</source>
        <translation>APN-Passwort</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>PIN Code</source>
        <translation>PIN-Code</translation>
    </message>
    <message>
        <source>SIM Card Phone Number</source>
        <translation>Rufnummer der SIM-Karte</translation>
    </message>
    <message>
        <source>e.g. +41 79 123 45 67</source>
        <translation>z. B. +41 79 123 45 67</translation>
    </message>
    <message>
        <source>Owner Phone Number</source>
        <translation>Rufnummer des Besitzers</translation>
    </message>
    <message>
        <source>User Key &lt;key&gt;</source>
        <translation>Benutzerschlüssel &lt;key&gt;</translation>
    </message>
    <message>
        <source>6 positions access code e.g. Wd3kPz</source>
        <translation>6-stelliger Zugangscode, z. B. Wd3kPz</translation>
    </message>
    <message>
        <source>4 or 6 digits e.g. 5273 or 760584</source>
        <translation>4 oder 6 Ziffern, z. B. 5273 oder 760584</translation>
    </message>
    <message>
        <source>Refresh the list of SD cards</source>
        <translation>Liste der SD-Karten aktualisieren</translation>
    </message>
    <message>
        <source>Generate a random user key</source>
        <translation>Zufälligen Benutzerschlüssel erzeugen</translation>
    </message>
    <message>
        <source>SD Card is Read Only</source>
        <translation>SD-Karte ist schreibgeschützt</translation>
    </message>
    <message>
        <source>The SD card is read only.
Please unlock the SD card.</source>
        <translation>Die SD-Karte ist schreibgeschützt.
Bitte heben Sie den Schreibschutz der SD-Karte auf.</translation>
    </message>
    <message>
        <source>SD Card Not Found</source>
        <translation>SD-Karte nicht gefunden</translation>
    </message>
    <message>
        <source>The SD card was not found in the selected drive.
Please select the correct drive.</source>
        <translation>Im gewählten Laufwerk wurde keine SD-Karte gefunden.
Bitte wählen Sie das richtige Laufwerk.</translation>
    </message>
    <message>
        <source>File not written</source>
        <translation>Datei nicht geschrieben</translation>
    </message>
    <message>
        <source>The file %1 could not be written on the SD card.
%2</source>
        <translation>Die Datei %1 konnte nicht auf die SD-Karte geschrieben werden.
%2</translation>
    </message>
    <message>
        <source>File generated</source>
        <translation>Datei erzeugt</translation>
    </message>
    <message>
        <source>The file was generated on the SD Card.</source>
        <translation>Die Datei wurde auf der SD-Karte erzeugt.</translation>
    </message>
    <message>
        <source>PIN Code error</source>
        <translation>Fehler im PIN-Code</translation>
    </message>
    <message>
        <source>The PIN code seems to be erroneous.
Please enter a code with 4-6 digits!</source>
        <translation>Der PIN-Code scheint falsch zu sein.
Bitte geben Sie einen Code mit 4-6 Ziffern ein!</translation>
    </message>
    <message>
        <source>User key error</source>
        <translation>Fehler im Benutzerschlüssel</translation>
    </message>
    <message>
        <source>The user key seems to be erroneous.
Please enter a code with 6 characters or generate it with the button at the right of field!</source>
        <translation>Der Benutzerschlüssel scheint falsch zu sein.
Bitte geben Sie einen Code mit 6 Zeichen ein oder erzeugen Sie ihn mit der Schaltfläche rechts neben dem Feld!</translation>
    </message>
    <message>
        <source>Unsupported character</source>
        <translation>Nicht unterstütztes Zeichen</translation>
    </message>
    <message>
        <source>The field &quot;%1&quot; contains the character &quot;%2&quot;, which the Orva module cannot read.
Please remove it.</source>
        <translation>Das Feld „%1“ enthält das Zeichen „%2“, das das Orva-Modul nicht lesen kann.
Bitte entfernen Sie es.</translation>
    </message>
    <message>
        <source>SD Card not available</source>
        <translation>Keine SD-Karte verfügbar</translation>
    </message>
    <message>
        <source>No SD card is available.
Please insert one and select it in the list.</source>
        <translation>Es ist keine SD-Karte verfügbar.
Bitte stecken Sie eine ein und wählen Sie sie in der Liste aus.</translation>
    </message>
    <message>
        <source>on the Desktop.</source>
        <translation>auf dem Desktop gespeichert.</translation>
    </message>
    <message>
        <source>in My Documents.</source>
        <translation>im Ordner Dokumente gespeichert.</translation>
    </message>
    <message>
        <source>The file was generated on the SD Card and your identifier (GUID) is </source>
        <translation>Die Datei wurde auf der SD-Karte erzeugt, und Ihre Kennung (GUID) ist </translation>
    </message>
    <message>
        <source>.
It could not be saved in a file: please write it down now.</source>
        <translation>.
Sie konnte nicht in einer Datei gespeichert werden: Bitte notieren Sie sie jetzt.</translation>
    </message>
    <message>
        <source>Kerv (38400 bps)</source>
        <translation>Kerv (38400 bps)</translation>
    </message>
    <message>
        <source>Kerv (115200 bps)</source>
        <translation>Kerv (115200 bps)</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Phone number error</source>
        <translation>Fehler in der Rufnummer</translation>
    </message>
    <message>
        <source>
Uncheck &quot;Reset Configuration&quot; to edit this field.</source>
        <translation>
Deaktivieren Sie „Konfiguration zurücksetzen“, um dieses Feld zu bearbeiten.</translation>
    </message>
    <message>
        <source>The file %1 replaced the earlier one on the SD card, but it could not be confirmed there: it may be incomplete.
%2
Please generate it again.</source>
        <translation>Die Datei %1 hat die frühere auf der SD-Karte ersetzt, konnte dort aber nicht bestätigt werden: Sie ist möglicherweise unvollständig.
%2
Bitte erzeugen Sie sie erneut.</translation>
    </message>
    <message>
        <source>
The identifier (GUID) the card may now carry is %1: please write it down.</source>
        <translation>
Die Kennung (GUID), die die Karte jetzt tragen könnte, ist %1: Bitte notieren Sie sie.</translation>
    </message>
    <message>
        <source>
The identifier (GUID) the card may now carry is %1; it was saved in %2.</source>
        <translation>
Die Kennung (GUID), die die Karte jetzt tragen könnte, ist %1; sie wurde in %2 gespeichert.</translation>
    </message>
    <message>
        <source>in the folder 02 on the SD Card.</source>
        <translation>im Ordner 02 auf der SD-Karte gespeichert.</translation>
    </message>
    <message>
        <source>The file on the SD card differs from what was written.</source>
        <translation>Die Datei auf der SD-Karte weicht vom Geschriebenen ab.</translation>
    </message>
    <message>
        <source>SD Card does not respond</source>
        <translation>SD-Karte antwortet nicht</translation>
    </message>
    <message>
        <source>The SD card does not respond.
Please check it and try again.</source>
        <translation>Die SD-Karte antwortet nicht.
Bitte prüfen Sie sie und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>SD &amp;Card Drive</source>
        <translation>SD-&amp;Kartenlaufwerk</translation>
    </message>
    <message>
        <source>Orva &amp;Mode</source>
        <translation>Orva-&amp;Modus</translation>
    </message>
    <message>
        <source>Access Point &amp;Name (APN)</source>
        <translation>&amp;Zugangspunkt (APN)</translation>
    </message>
    <message>
        <source>Access Point &amp;User Name</source>
        <translation>APN-Ben&amp;utzername</translation>
    </message>
    <message>
        <source>Access Point &amp;Password</source>
        <translation>APN-Pass&amp;wort</translation>
    </message>
    <message>
        <source>P&amp;IN Code</source>
        <translation>P&amp;IN-Code</translation>
    </message>
    <message>
        <source>&amp;SIM Card Phone Number</source>
        <translation>Rufnummer der &amp;SIM-Karte</translation>
    </message>
    <message>
        <source>&amp;Owner Phone Number</source>
        <translation>Rufnummer des &amp;Besitzers</translation>
    </message>
    <message>
        <source>User &amp;Key &lt;key&gt;</source>
        <translation>Benutzersc&amp;hlüssel &lt;key&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset Configuration</source>
        <translation>Konfiguration zu&amp;rücksetzen</translation>
    </message>
    <message>
        <source>&amp;Default settings</source>
        <translation>S&amp;tandardwerte</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Bee&amp;nden</translation>
    </message>
    <message>
        <source>&amp;Generate</source>
        <translation>&amp;Erzeugen</translation>
    </message>
    <message>
        <source>Accepted: %1</source>
        <translation>Möglich: %1</translation>
    </message>
    <message>
        <source>(READ ONLY)</source>
        <translation>(SCHREIBGESCHÜTZT)</translation>
    </message>
    <message>
        <source>Path: %1</source>
        <translation>Pfad: %1</translation>
    </message>
    <message>
        <source>Capacity: %1</source>
        <translation>Kapazität: %1</translation>
    </message>
    <message>
        <source>File system: %1</source>
        <translation>Dateisystem: %1</translation>
    </message>
    <message>
        <source>4 to 6 digits, e.g. 5273 or 760584</source>
        <translation>4 bis 6 Ziffern, z. B. 5273 oder 760584</translation>
    </message>
    <message>
        <source>+41 79 123 45 67, 0041 79 123 45 67, or + and 14 digits</source>
        <translation>+41 79 123 45 67, 0041 79 123 45 67 oder + und 14 Ziffern</translation>
    </message>
    <message>
        <source>+41 79 123 45 67, 0041 79 123 45 67, or 14 digits with or without +</source>
        <translation>+41 79 123 45 67, 0041 79 123 45 67 oder 14 Ziffern mit oder ohne +</translation>
    </message>
    <message>
        <source>6 letters (A-Z, a-z) or digits</source>
        <translation>6 Buchstaben (A-Z, a-z) oder Ziffern</translation>
    </message>
    <message>
        <source>The phone number in the field &quot;%1&quot; is not in a form that the module reads.
Please enter it as %2, or leave the field empty.</source>
        <translation>Die Rufnummer im Feld „%1“ hat keine Form, die das Modul liest.
Bitte geben Sie sie ein als %2, oder lassen Sie das Feld leer.</translation>
    </message>
    <message>
        <source>&amp;Eject the card when done</source>
        <translation>Karte danach &amp;auswerfen</translation>
    </message>
    <message>
        <source>it is still mounted at %1.</source>
        <translation>sie ist noch unter %1 eingebunden.</translation>
    </message>
    <message>
        <source>

The SD card may now be removed.</source>
        <translation>

Die SD-Karte kann jetzt entnommen werden.</translation>
    </message>
    <message>
        <source>

The SD card could not be ejected. The file is written: eject the card before you take it out.</source>
        <translation>

Die SD-Karte konnte nicht ausgeworfen werden. Die Datei ist geschrieben: Werfen Sie die Karte aus, bevor Sie sie entnehmen.</translation>
    </message>
    <message>
        <source>

The SD card could not be ejected: %1
The file is written: eject the card before you take it out.</source>
        <translation>

Die SD-Karte konnte nicht ausgeworfen werden: %1
Die Datei ist geschrieben: Werfen Sie die Karte aus, bevor Sie sie entnehmen.</translation>
    </message>
    <message>
        <source>Prepare another card</source>
        <translation>Weitere Karte vorbereiten</translation>
    </message>
    <message>
        <source>Reading the card...</source>
        <translation>Die Karte wird gelesen ...</translation>
    </message>
    <message>
        <source>unknown mode %1</source>
        <translation>unbekannter Modus %1</translation>
    </message>
    <message>
        <source>No configuration on this card.</source>
        <translation>Keine Konfiguration auf dieser Karte.</translation>
    </message>
    <message>
        <source>A damaged parameter file (%1).</source>
        <translation>Eine beschädigte Parameterdatei (%1).</translation>
    </message>
    <message>
        <source>The card could not be read: %1</source>
        <translation>Die Karte konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>On the card: %1, written %2.</source>
        <translation>Auf der Karte: %1, geschrieben %2.</translation>
    </message>
    <message>
        <source>On the card: %1 %2, written %3.</source>
        <translation>Auf der Karte: %1 %2, geschrieben %3.</translation>
    </message>
    <message>
        <source>The card does not respond: what it holds could not be read.</source>
        <translation>Die Karte antwortet nicht: ihr Inhalt konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Replace the configuration?</source>
        <translation>Konfiguration ersetzen?</translation>
    </message>
    <message>
        <source>The SD card holds a %1 configuration written %2, with the identifier %3.
Replacing it gives the installation a new identifier, which must be registered again on the customer portal.</source>
        <translation>Die SD-Karte enthält eine %1-Konfiguration vom %2 mit der Kennung %3.
Wird sie ersetzt, erhält die Installation eine neue Kennung, die im Kundenportal erneut registriert werden muss.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>The user key seems to be erroneous.
Please give --key 6 letters or digits, or --reset.</source>
        <translation>Der Benutzerschlüssel scheint fehlerhaft zu sein.
Bitte geben Sie mit --key 6 Buchstaben oder Ziffern an, oder --reset.</translation>
    </message>
    <message>
        <source>The phone number given with %1 is not in a form that the module reads.
Please give it as %2, or leave %1 out.</source>
        <translation>Die mit %1 angegebene Rufnummer hat keine Form, die das Modul liest.
Bitte geben Sie sie als %2 an, oder lassen Sie %1 weg.</translation>
    </message>
    <message>
        <source>The value of %1 contains the character &quot;%2&quot;, which the Orva module cannot read.
Please remove it.</source>
        <translation>Der Wert von %1 enthält das Zeichen &quot;%2&quot;, das das Orva-Modul nicht lesen kann.
Bitte entfernen Sie es.</translation>
    </message>
    <message>
        <source>it is a file</source>
        <translation>es ist eine Datei</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>es ist eine Verknüpfung</translation>
    </message>
    <message>
        <source>it is a special file</source>
        <translation>es ist eine Spezialdatei</translation>
    </message>
    <message>
        <source>it leads to another drive</source>
        <translation>er führt auf ein anderes Laufwerk</translation>
    </message>
    <message>
        <source>The folder 02 on the SD card cannot be used: %1
Please check that the card has free space and is not damaged.</source>
        <translation>Der Ordner 02 auf der SD-Karte kann nicht verwendet werden: %1
Bitte prüfen Sie, ob die Karte freien Platz hat und nicht beschädigt ist.</translation>
    </message>
    <message>
        <source>The folder 02 on the SD card is not a folder: %1.
Please rename or remove it on the card.</source>
        <translation>Der Ordner 02 auf der SD-Karte ist kein Ordner: %1.
Bitte benennen Sie ihn auf der Karte um oder entfernen Sie ihn.</translation>
    </message>
    <message>
        <source>It does not exist or is not a file.</source>
        <translation>Sie existiert nicht oder ist keine Datei.</translation>
    </message>
    <message>
        <source>It is far too large for a parameter file.</source>
        <translation>Sie ist viel zu groß für eine Parameterdatei.</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Sie kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>It is not a parameter file that the module can read (%1).</source>
        <translation>Sie ist keine Parameterdatei, die das Modul lesen kann (%1).</translation>
    </message>
    <message>
        <source>Parameter file not loaded</source>
        <translation>Parameterdatei nicht geladen</translation>
    </message>
    <message>
        <source>The form could not be filled from %1.</source>
        <translation>Das Formular konnte nicht aus %1 gefüllt werden.</translation>
    </message>
    <message>
        <source>&amp;Load from card</source>
        <translation>Von Karte &amp;laden</translation>
    </message>
    <message>
        <source>Fill the form from the parameter file on the chosen card</source>
        <translation>Das Formular aus der Parameterdatei der gewählten Karte füllen</translation>
    </message>
    <message>
        <source>Nothing to load</source>
        <translation>Nichts zu laden</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is cut inside its header</source>
        <translation>ist innerhalb ihres Kopfteils abgeschnitten</translation>
    </message>
    <message>
        <source>is cut before its mode</source>
        <translation>ist vor ihrem Modus abgeschnitten</translation>
    </message>
    <message>
        <source>names an unknown mode (%1)</source>
        <translation>nennt einen unbekannten Modus (%1)</translation>
    </message>
    <message>
        <source>The file %1 on the SD card %2, so it cannot be told whether it holds an identifier that was registered on the customer portal.
Replacing it gives the installation a new identifier, which must be registered again on the customer portal.</source>
        <translation>Die Datei %1 auf der SD-Karte %2; daher lässt sich nicht sagen, ob sie eine im Kundenportal registrierte Kennung enthält.
Wird sie ersetzt, erhält die Installation eine neue Kennung, die im Kundenportal erneut registriert werden muss.</translation>
    </message>
    <message>
        <source>SD Card changed</source>
        <translation>SD-Karte verändert</translation>
    </message>
    <message>
        <source>The file %1 on the SD card changed after it was read: something else wrote to the card meanwhile. The card was left as it is.
Please check the card and try again.</source>
        <translation>Die Datei %1 auf der SD-Karte hat sich verändert, nachdem sie gelesen wurde: Inzwischen hat etwas anderes auf die Karte geschrieben. Die Karte wurde belassen, wie sie ist.
Bitte prüfen Sie die Karte und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>SD Card in use</source>
        <translation>SD-Karte in Gebrauch</translation>
    </message>
    <message>
        <source>Another window or program is preparing this SD card right now.
Please wait until it has finished, then try again.</source>
        <translation>Ein anderes Fenster oder Programm bereitet diese SD-Karte gerade vor.
Bitte warten Sie, bis es fertig ist, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The SD card could not be reserved for this program alone: %1
Nothing was written.</source>
        <translation>Die SD-Karte konnte nicht für dieses Programm allein reserviert werden: %1
Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>in the folder %1.</source>
        <translation>im Ordner %1 gespeichert.</translation>
    </message>
    <message>
        <source>It does not respond: the card or drive that holds it stopped answering.</source>
        <translation>Sie antwortet nicht: Die Karte oder das Laufwerk, auf dem sie liegt, antwortet nicht mehr.</translation>
    </message>
    <message>
        <source>The folder 02 leads off the card (%1): what it holds is not the card&apos;s.</source>
        <translation>Der Ordner 02 führt von der Karte weg (%1): was er enthält, gehört nicht zur Karte.</translation>
    </message>
    <message>
        <source>
The value is the one remembered as %1; %2 replaces it.</source>
        <translation>
Der Wert ist der als %1 gespeicherte; %2 ersetzt ihn.</translation>
    </message>
    <message>
        <source>The phone number remembered as %1 is not in a form that the module reads.
Please give it with %2 as %3.</source>
        <translation>Die als %1 gespeicherte Telefonnummer hat keine Form, die das Modul liest.
Bitte geben Sie sie mit %2 als %3 an.</translation>
    </message>
    <message>
        <source>The value remembered as %1 contains the character &quot;%2&quot;, which the Orva module cannot read.
Please give %3 without it.</source>
        <translation>Der als %1 gespeicherte Wert enthält das Zeichen „%2“, das das Orva-Modul nicht lesen kann.
Bitte geben Sie %3 ohne dieses Zeichen an.</translation>
    </message>
    <message>
        <source>The value remembered as %1 has %2 characters, more than the %3 that the field takes.
Please give a shorter one with %4.</source>
        <translation>Der als %1 gespeicherte Wert hat %2 Zeichen, mehr als die %3, die das Feld aufnimmt.
Bitte geben Sie mit %4 einen kürzeren an.</translation>
    </message>
    <message>
        <source>Text too long</source>
        <translation>Text zu lang</translation>
    </message>
    <message>
        <source>The field &quot;%1&quot; holds %2 characters, more than the %3 it takes.
Please shorten it.</source>
        <translation>Das Feld „%1“ enthält %2 Zeichen, mehr als die %3, die es aufnimmt.
Bitte kürzen Sie den Text.</translation>
    </message>
    <message>
        <source>On the card: %1, written %2, for another server (%3).</source>
        <translation>Auf der Karte: %1, geschrieben %2, für einen anderen Server (%3).</translation>
    </message>
    <message>
        <source>On the card: %1 %2, written %3, for another server (%4).</source>
        <translation>Auf der Karte: %1 %2, geschrieben %3, für einen anderen Server (%4).</translation>
    </message>
    <message>
        <source>%1... (%2 characters in all)</source>
        <translation>%1... (insgesamt %2 Zeichen)</translation>
    </message>
    <message>
        <source>%1: the file holds %2 characters, the field takes %3. The form holds the first %3 and writes %4.</source>
        <translation>%1: Die Datei enthält %2 Zeichen, das Feld nimmt %3 auf. Das Formular enthält die ersten %3 und schreibt %4.</translation>
    </message>
    <message>
        <source>%1: the file holds %2 characters, the field takes %3. The form holds the first %3, %4, which &quot;Generate&quot; refuses as they stand.</source>
        <translation>%1: Die Datei enthält %2 Zeichen, das Feld nimmt %3 auf. Das Formular enthält die ersten %3, %4, die „Erzeugen“ so nicht annimmt.</translation>
    </message>
    <message>
        <source>%1: the file holds %2, the form writes %3.</source>
        <translation>%1: Die Datei enthält %2, das Formular schreibt %3.</translation>
    </message>
    <message>
        <source>The form was filled from %1, but it would not write everything as the file holds it:</source>
        <translation>Das Formular wurde aus %1 gefüllt, würde aber nicht alles so schreiben, wie die Datei es enthält:</translation>
    </message>
    <message>
        <source>The file is written for another server, %1, perhaps by another release. The form writes this tool&apos;s server, %2.</source>
        <translation>Die Datei ist für einen anderen Server geschrieben, %1, vielleicht von einer anderen Version. Das Formular schreibt den Server dieses Programms, %2.</translation>
    </message>
    <message>
        <source>Please check the form before you press &quot;Generate&quot;.</source>
        <translation>Bitte prüfen Sie das Formular, bevor Sie „Erzeugen“ drücken.</translation>
    </message>
    <message>
        <source>Form filled with changes</source>
        <translation>Formular mit Änderungen gefüllt</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Gerät: %1</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>Seriennummer %1</translation>
    </message>
    <message>
        <source>Show the pass&amp;word</source>
        <translation>Passwort anzei&amp;gen</translation>
    </message>
    <message>
        <source>S&amp;how the PIN code</source>
        <translation>&amp;PIN anzeigen</translation>
    </message>
    <message>
        <source>No card chosen: put in an SD card.</source>
        <translation>Keine Karte gewählt: Bitte eine SD-Karte einlegen.</translation>
    </message>
    <message>
        <source>Read only: %1</source>
        <translation>Schreibgeschützt: %1</translation>
    </message>
    <message>
        <source>the card %1</source>
        <translation>der Karte %1</translation>
    </message>
    <message>
        <source>Alt+F</source>
        <comment>shortcut of the button that refreshes the card list</comment>
        <translation>Alt+F</translation>
    </message>
    <message>
        <source>Alt+Y</source>
        <comment>shortcut of the button that draws a user key</comment>
        <translation>Alt+Y</translation>
    </message>
    <message>
        <source>Undo lo&amp;ad</source>
        <translation>La&amp;den rückgängig</translation>
    </message>
    <message>
        <source>Put the form back as it was before the load (%1)</source>
        <translation>Das Formular wiederherstellen, wie es vor dem Laden war (%1)</translation>
    </message>
    <message>
        <source>Not accepted: the PIN code has 4 to 6 digits.</source>
        <translation>Nicht angenommen: Der PIN-Code hat 4 bis 6 Ziffern.</translation>
    </message>
    <message>
        <source>Not accepted: the user key has 6 letters (A-Z, a-z) or digits.</source>
        <translation>Nicht angenommen: Der Benutzerschlüssel hat 6 Buchstaben (A-Z, a-z) oder Ziffern.</translation>
    </message>
    <message>
        <source>Not accepted: the number needs the country code.
Accepted: %1</source>
        <translation>Nicht angenommen: Der Nummer fehlt die Landesvorwahl.
Angenommen: %1</translation>
    </message>
    <message>
        <source>Not accepted: not a form the module reads.
Accepted: %1</source>
        <translation>Nicht angenommen: keine Form, die das Modul liest.
Angenommen: %1</translation>
    </message>
    <message>
        <source>Not accepted: longer than the %1 characters it takes.</source>
        <translation>Nicht angenommen: länger als die %1 Zeichen, die das Feld aufnimmt.</translation>
    </message>
    <message>
        <source>Not accepted: the module cannot read the character &quot;%1&quot;.</source>
        <translation>Nicht angenommen: Das Modul kann das Zeichen „%1“ nicht lesen.</translation>
    </message>
    <message>
        <source>Loaded: %1, nothing changed (from %2).</source>
        <translation>Geladen: %1, nichts geändert (aus %2).</translation>
    </message>
    <message>
        <source>Loaded: %1, changed: %2 (from %3).</source>
        <translation>Geladen: %1, geändert: %2 (aus %3).</translation>
    </message>
    <message>
        <source>%1 in the preset &quot;%2&quot;</source>
        <translation>%1 in der Voreinstellung „%2“</translation>
    </message>
    <message>
        <source>ORVA presets (*.%1)</source>
        <translation>ORVA-Voreinstellungen (*.%1)</translation>
    </message>
    <message>
        <source>&amp;Save as...</source>
        <translation>&amp;Speichern unter...</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Umbenennen...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>The presets cannot be read: %1</source>
        <translation>Die Voreinstellungen können nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The presets cannot be saved: %1</source>
        <translation>Die Voreinstellungen können nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Preset not saved</source>
        <translation>Voreinstellung nicht gespeichert</translation>
    </message>
    <message>
        <source>Replace preset</source>
        <translation>Voreinstellung ersetzen</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already. Replace it with the form?</source>
        <translation>Es gibt schon eine Voreinstellung namens „%1“. Durch das Formular ersetzen?</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Preset not used</source>
        <translation>Voreinstellung nicht verwendet</translation>
    </message>
    <message>
        <source>Preset not renamed</source>
        <translation>Voreinstellung nicht umbenannt</translation>
    </message>
    <message>
        <source>Preset not deleted</source>
        <translation>Voreinstellung nicht gelöscht</translation>
    </message>
    <message>
        <source>Preset not exported</source>
        <translation>Voreinstellung nicht exportiert</translation>
    </message>
    <message>
        <source>The drive that holds it does not respond.</source>
        <translation>Das Laufwerk, auf dem sie liegt, antwortet nicht.</translation>
    </message>
    <message>
        <source>The preset could not be written to %1.</source>
        <translation>Die Voreinstellung konnte nicht nach %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Preset not imported</source>
        <translation>Voreinstellung nicht importiert</translation>
    </message>
    <message>
        <source>No preset could be taken from %1.</source>
        <translation>Aus %1 konnte keine Voreinstellung übernommen werden.</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already. Replace it with the one of %2?</source>
        <translation>Es gibt schon eine Voreinstellung namens „%1“. Durch die aus %2 ersetzen?</translation>
    </message>
    <message>
        <source>Save as preset</source>
        <translation>Als Voreinstellung speichern</translation>
    </message>
    <message>
        <source>Name of the preset (a site, a customer):</source>
        <translation>Name der Voreinstellung (ein Standort, ein Kunde):</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Voreinstellung umbenennen</translation>
    </message>
    <message>
        <source>New name of the preset &quot;%1&quot;:</source>
        <translation>Neuer Name der Voreinstellung „%1“:</translation>
    </message>
    <message>
        <source>Delete preset</source>
        <translation>Voreinstellung löschen</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Die Voreinstellung „%1“ löschen?</translation>
    </message>
    <message>
        <source>Export preset</source>
        <translation>Voreinstellung exportieren</translation>
    </message>
    <message>
        <source>Import preset</source>
        <translation>Voreinstellung importieren</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>It is far too large for a preset.</source>
        <translation>Sie ist viel zu groß für eine Voreinstellung.</translation>
    </message>
    <message>
        <source>It is not a preset of ORVA Configurator.</source>
        <translation>Sie ist keine Voreinstellung von ORVA Configurator.</translation>
    </message>
    <message>
        <source>It was written by a newer ORVA Configurator; please update this one.</source>
        <translation>Sie wurde von einem neueren ORVA Configurator geschrieben; bitte aktualisieren Sie diesen.</translation>
    </message>
    <message>
        <source>Its mode is none of the module&apos;s.</source>
        <translation>Ihr Modus ist keiner des Moduls.</translation>
    </message>
    <message>
        <source>It holds &quot;%1&quot;, which a preset of its mode does not hold.</source>
        <translation>Sie enthält „%1“, das eine Voreinstellung ihres Modus nicht enthält.</translation>
    </message>
    <message>
        <source>Its value of &quot;%1&quot; is not of the kind that the form keeps there.</source>
        <translation>Ihr Wert für „%1“ ist nicht von der Art, die das Formular dort speichert.</translation>
    </message>
    <message>
        <source>A preset needs a name.</source>
        <translation>Eine Voreinstellung braucht einen Namen.</translation>
    </message>
    <message>
        <source>A preset&apos;s name has at most %1 characters.</source>
        <translation>Der Name einer Voreinstellung hat höchstens %1 Zeichen.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; holds a control character; please type it without.</source>
        <translation>Der Name „%1“ enthält ein Steuerzeichen; bitte geben Sie ihn ohne ein.</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already.</source>
        <translation>Es gibt schon eine Voreinstellung namens „%1“.</translation>
    </message>
    <message>
        <source>There is no preset called &quot;%1&quot;.</source>
        <translation>Es gibt keine Voreinstellung namens „%1“.</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; holds a value that the form cannot hold:</source>
        <translation>Die Voreinstellung „%1“ enthält einen Wert, den das Formular nicht aufnehmen kann:</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; cannot be read: %2</source>
        <translation>Die Voreinstellung „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The presets could not be saved in %1.</source>
        <translation>Die Voreinstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Presets: fill the form from one; save the form as one, rename, delete, export or import one</source>
        <translation>Voreinstellungen: das Formular aus einer füllen; das Formular als eine speichern, eine umbenennen, löschen, exportieren oder importieren</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Voreinstellungen</translation>
    </message>
    <message>
        <source>Prepare each card pu&amp;t in</source>
        <translation>Jede eingesteckte Karte &amp;vorbereiten</translation>
    </message>
    <message>
        <source>Every card put in from now on is prepared with this form, without a click. Cards that hold a GSM or LAN identifier are kept as they are.</source>
        <translation>Jede ab jetzt eingesteckte Karte wird ohne Klick mit diesem Formular vorbereitet. Karten mit einer GSM- oder LAN-Kennung bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>ohne Grenze</translation>
    </message>
    <message>
        <source>Stop after this many cards were prepared</source>
        <translation>Nach so vielen vorbereiteten Karten aufhören</translation>
    </message>
    <message>
        <source>Prepared: %1, refused: %2</source>
        <translation>Vorbereitet: %1, abgelehnt: %2</translation>
    </message>
    <message>
        <source>Cards not followed</source>
        <translation>Karten werden nicht verfolgt</translation>
    </message>
    <message>
        <source>This system tells nothing of cards put in: prepare each card with &quot;Generate&quot;.</source>
        <translation>Dieses System meldet keine eingesteckten Karten: Bereiten Sie jede Karte mit „Erzeugen“ vor.</translation>
    </message>
    <message>
        <source>Cards of this run</source>
        <translation>Karten dieses Durchgangs</translation>
    </message>
    <message>
        <source>Record of prepared cards: %1</source>
        <translation>Verzeichnis der vorbereiteten Karten: %1</translation>
    </message>
    <message>
        <source>Open the &amp;record</source>
        <translation>&amp;Verzeichnis öffnen</translation>
    </message>
    <message>
        <source>Identifiers of this run: none yet</source>
        <translation>Kennungen dieses Durchgangs: noch keine</translation>
    </message>
    <message>
        <source>Open the &amp;identifiers</source>
        <translation>&amp;Kennungen öffnen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;Copy the identifier</source>
        <translation>Kennung &amp;kopieren</translation>
    </message>
    <message>
        <source>may be removed</source>
        <translation>kann entnommen werden</translation>
    </message>
    <message>
        <source>written, not ejected: eject it before you take it out</source>
        <translation>geschrieben, nicht ausgeworfen: vor dem Entnehmen auswerfen</translation>
    </message>
    <message>
        <source>written, not ejected (%1): eject it before you take it out</source>
        <translation>geschrieben, nicht ausgeworfen (%1): vor dem Entnehmen auswerfen</translation>
    </message>
    <message>
        <source>kept: %1</source>
        <translation>belassen: %1</translation>
    </message>
    <message>
        <source>already prepared in this run: %1</source>
        <translation>in diesem Durchgang schon vorbereitet: %1</translation>
    </message>
    <message>
        <source>read only</source>
        <translation>schreibgeschützt</translation>
    </message>
    <message>
        <source>full</source>
        <translation>voll</translation>
    </message>
    <message>
        <source>does not respond</source>
        <translation>antwortet nicht</translation>
    </message>
    <message>
        <source>not prepared: %1</source>
        <translation>nicht vorbereitet: %1</translation>
    </message>
    <message>
        <source>Card prepared: it may be removed</source>
        <translation>Karte vorbereitet: Sie kann entnommen werden</translation>
    </message>
    <message>
        <source>Card prepared: eject it first</source>
        <translation>Karte vorbereitet: Erst auswerfen</translation>
    </message>
    <message>
        <source>Card not prepared: it may be removed</source>
        <translation>Karte nicht vorbereitet: Sie kann entnommen werden</translation>
    </message>
    <message>
        <source>Card not prepared</source>
        <translation>Karte nicht vorbereitet</translation>
    </message>
    <message>
        <source>Alt+J</source>
        <comment>shortcut of the button that opens the presets menu</comment>
        <translation>Alt+J</translation>
    </message>
    <message>
        <source>preset &quot;%1&quot;</source>
        <translation>der Voreinstellung „%1“</translation>
    </message>
    <message>
        <source>New identifier</source>
        <translation>Neue Kennung</translation>
    </message>
    <message>
        <source>Identifier kept</source>
        <translation>Behaltene Kennung</translation>
    </message>
    <message>
        <source>Identifiers of this run: %1 new, %2 kept</source>
        <translation>Kennungen dieses Durchgangs: %1 neu, %2 behalten</translation>
    </message>
    <message>
        <source>%1; the GSM and LAN ones are in %2</source>
        <translation>%1; die GSM- und LAN-Kennungen stehen in %2</translation>
    </message>
    <message>
        <source>in use by another writer</source>
        <translation>von einem anderen Schreiber belegt</translation>
    </message>
    <message>
        <source>%1; it may be removed</source>
        <translation>%1; kann entnommen werden</translation>
    </message>
    <message>
        <source>%1; eject it before you take it out</source>
        <translation>%1; vor dem Entnehmen auswerfen</translation>
    </message>
    <message>
        <source>Open the portal</source>
        <translation>Portal öffnen</translation>
    </message>
    <message>
        <source>

The file &quot;%1&quot; holds it: %2</source>
        <translation>

Die Datei „%1“ enthält sie: %2</translation>
    </message>
    <message>
        <source>The remembered mode %1 is none of the module&apos;s: the form starts in %2.</source>
        <translation>Der gespeicherte Modus %1 ist keiner des Moduls: Das Formular beginnt in %2.</translation>
    </message>
    <message>
        <source>There are %1 presets already, as many as the list holds.</source>
        <translation>Es gibt bereits %1 Voreinstellungen, so viele, wie die Liste fasst.</translation>
    </message>
    <message>
        <source>left alone: holds other files</source>
        <translation>nicht angetastet: enthält andere Dateien</translation>
    </message>
    <message>
        <source>its folders cannot be read</source>
        <translation>ihre Ordner sind nicht lesbar</translation>
    </message>
    <message>
        <source>Every card put in gets the values shown. To change them, stop the series.</source>
        <translation>Jede eingesteckte Karte erhält die angezeigten Werte. Um sie zu ändern, beenden Sie die Serie.</translation>
    </message>
    <message>
        <source>Card readers of the series:</source>
        <translation>Kartenleser der Serie:</translation>
    </message>
    <message>
        <source>Untick to leave the cards put in it alone</source>
        <translation>Abwählen, um die hier eingesteckten Karten nicht anzutasten</translation>
    </message>
    <message>
        <source>SD Card is Full</source>
        <translation>SD-Karte ist voll</translation>
    </message>
    <message>
        <source>The SD card has no room for the file.
Please free some space on it.</source>
        <translation>Auf der SD-Karte ist kein Platz für die Datei.
Bitte schaffen Sie dort Platz.</translation>
    </message>
    <message>
        <source>SD Card Removed</source>
        <translation>SD-Karte entfernt</translation>
    </message>
    <message>
        <source>The SD card was removed.
Please insert it and try again.</source>
        <translation>Die SD-Karte wurde entfernt.
Bitte stecken Sie sie ein und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Values per card: none</source>
        <translation>Werte pro Karte: keine</translation>
    </message>
    <message>
        <source>&amp;Values per card…</source>
        <translation>&amp;Werte pro Karte…</translation>
    </message>
    <message>
        <source>A CSV list: each card prepared gets the next row&apos;s values, the form gives the rest</source>
        <translation>Eine CSV-Liste: Jede vorbereitete Karte erhält die Werte der nächsten Zeile, das Formular den Rest</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Copy the &amp;new identifiers</source>
        <translation>&amp;Neue Kennungen kopieren</translation>
    </message>
    <message>
        <source>&amp;Save the list…</source>
        <translation>Liste &amp;speichern…</translation>
    </message>
    <message>
        <source>Save the list of this run</source>
        <translation>Liste dieses Durchgangs speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2</source>
        <translation>Die Liste konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Values per card</source>
        <translation>Werte pro Karte</translation>
    </message>
    <message>
        <source>Values per card: %1, %2 rows, from the next series on</source>
        <translation>Werte pro Karte: %1, %2 Zeilen, ab der nächsten Serie</translation>
    </message>
    <message>
        <source>a row that a card in hand gives back</source>
        <translation>eine Zeile, die eine Karte in Arbeit zurückgibt</translation>
    </message>
    <message>
        <source>Values per card: %1; the next card gets %2</source>
        <translation>Werte pro Karte: %1; die nächste Karte erhält %2</translation>
    </message>
    <message>
        <source>The next card put in gets the values shown, %1 of %2. To change them, stop the series.</source>
        <translation>Die nächste eingesteckte Karte erhält die angezeigten Werte, %1 aus %2. Um sie zu ändern, beenden Sie die Serie.</translation>
    </message>
    <message>
        <source>wait until the cards being prepared have ended</source>
        <translation>warten Sie, bis die Karten in Arbeit fertig sind</translation>
    </message>
    <message>
        <source>every row of the values per card was used</source>
        <translation>jede Zeile der Werte pro Karte wurde verwendet</translation>
    </message>
    <message>
        <source>%1 is not used in the mode %2</source>
        <translation>%1 wird im Modus %2 nicht verwendet</translation>
    </message>
    <message>
        <source>the site is longer than %1 characters</source>
        <translation>der Standort ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the site holds a control character</source>
        <translation>der Standort enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <source>the row is longer than %1 bytes</source>
        <translation>die Zeile ist länger als %1 Bytes</translation>
    </message>
    <message>
        <source>the text is not UTF-8: save the list as &quot;CSV UTF-8&quot;</source>
        <translation>der Text ist kein UTF-8: speichern Sie die Liste als &quot;CSV UTF-8&quot;</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is no field of the form; the columns are %2</source>
        <translation>die Spalte &quot;%1&quot; ist kein Feld des Formulars; die Spalten sind %2</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is named twice</source>
        <translation>die Spalte &quot;%1&quot; ist doppelt benannt</translation>
    </message>
    <message>
        <source>the list holds more than %1 rows</source>
        <translation>die Liste hat mehr als %1 Zeilen</translation>
    </message>
    <message>
        <source>a quote is not closed</source>
        <translation>ein Anführungszeichen ist nicht geschlossen</translation>
    </message>
    <message>
        <source>the row has %1 values, the header names %2 columns</source>
        <translation>die Zeile hat %1 Werte, die Kopfzeile nennt %2 Spalten</translation>
    </message>
    <message>
        <source>the list holds no row under its header</source>
        <translation>die Liste hat keine Zeile unter der Kopfzeile</translation>
    </message>
    <message>
        <source>It is larger than a list of %1 rows can be.</source>
        <translation>Sie ist größer, als eine Liste von %1 Zeilen sein kann.</translation>
    </message>
    <message>
        <source>The values per card in %1 cannot be used: %2</source>
        <translation>Die Werte pro Karte in %1 können nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>The values per card in %1 cannot be used: line %2: %3</source>
        <translation>Die Werte pro Karte in %1 können nicht verwendet werden: Zeile %2: %3</translation>
    </message>
    <message>
        <source>Every row of the values per card was used (%1): the series stopped.</source>
        <translation>Jede Zeile der Werte pro Karte wurde verwendet (%1): die Serie wurde beendet.</translation>
    </message>
    <message>
        <source>row %1 of %2</source>
        <translation>Zeile %1 von %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Labels…</source>
        <translation>Etiketten…</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiketten</translation>
    </message>
    <message>
        <source>No GSM or LAN card was prepared in this run: there is no identifier to put on a label.</source>
        <translation>In diesem Durchgang wurde keine GSM- oder LAN-Karte vorbereitet: Es gibt keine Kennung für ein Etikett.</translation>
    </message>
    <message>
        <source>A4 sheet, 3 × 8 labels (*.pdf)</source>
        <translation>A4-Bogen, 3 × 8 Etiketten (*.pdf)</translation>
    </message>
    <message>
        <source>62 mm label printer (*.pdf)</source>
        <translation>Etikettendrucker 62 mm (*.pdf)</translation>
    </message>
    <message>
        <source>Save the labels</source>
        <translation>Etiketten speichern</translation>
    </message>
    <message>
        <source>The labels could not be saved in %1:
%2</source>
        <translation>Die Etiketten konnten nicht in %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>&amp;Labels…</source>
        <translation>&amp;Etiketten…</translation>
    </message>
</context>
</TS>
