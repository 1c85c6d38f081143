<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>Configurator</name>
    <message>
        <source>Access Point Name (APN)</source>
        <translation>Punto di accesso (APN)</translation>
    </message>
    <message>
        <source>Ask your provider</source>
        <translation>Chiedi al tuo operatore</translation>
    </message>
    <message>
        <source>Access Point User Name</source>
        <translation>Utente APN</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nome utente</translation>
    </message>
    <message>
        <source>Access Point Password</source>
        <translation>Password APN</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>PIN Code</source>
        <translation>Codice PIN</translation>
    </message>
    <message>
        <source>SIM Card Phone Number</source>
        <translation>Numero della scheda SIM</translation>
    </message>
    <message>
        <source>e.g. +41 79 123 45 67</source>
        <translation>es. +41 79 123 45 67</translation>
    </message>
    <message>
        <source>Owner Phone Number</source>
        <translation>Numero del proprietario</translation>
    </message>
    <message>
        <source>User Key &lt;key&gt;</source>
        <translation>Chiave utente &lt;key&gt;</translation>
    </message>
    <message>
        <source>6 positions access code e.g. Wd3kPz</source>
        <translation>Codice di accesso di 6 caratteri, es. Wd3kPz</translation>
    </message>
    <message>
        <source>4 or 6 digits e.g. 5273 or 760584</source>
        <translation>4 o 6 cifre, es. 5273 o 760584</translation>
    </message>
    <message>
        <source>Refresh the list of SD cards</source>
        <translation>Aggiorna l&apos;elenco delle schede SD</translation>
    </message>
    <message>
        <source>Generate a random user key</source>
        <translation>Genera una chiave utente casuale</translation>
    </message>
    <message>
        <source>SD Card is Read Only</source>
        <translation>Scheda SD protetta da scrittura</translation>
    </message>
    <message>
        <source>The SD card is read only.
Please unlock the SD card.</source>
        <translation>La scheda SD è protetta da scrittura.
Sblocca la scheda SD.</translation>
    </message>
    <message>
        <source>SD Card Not Found</source>
        <translation>Scheda SD non trovata</translation>
    </message>
    <message>
        <source>The SD card was not found in the selected drive.
Please select the correct drive.</source>
        <translation>Nessuna scheda SD trovata nell&apos;unità selezionata.
Seleziona l&apos;unità corretta.</translation>
    </message>
    <message>
        <source>File not written</source>
        <translation>File non scritto</translation>
    </message>
    <message>
        <source>The file %1 could not be written on the SD card.
%2</source>
        <translation>Impossibile scrivere il file %1 sulla scheda SD.
%2</translation>
    </message>
    <message>
        <source>File generated</source>
        <translation>File generato</translation>
    </message>
    <message>
        <source>The file was generated on the SD Card.</source>
        <translation>Il file è stato generato sulla scheda SD.</translation>
    </message>
    <message>
        <source>PIN Code error</source>
        <translation>Errore nel codice PIN</translation>
    </message>
    <message>
        <source>The PIN code seems to be erroneous.
Please enter a code with 4-6 digits!</source>
        <translation>Il codice PIN sembra errato.
Inserisci un codice di 4-6 cifre!</translation>
    </message>
    <message>
        <source>User key error</source>
        <translation>Errore nella chiave utente</translation>
    </message>
    <message>
        <source>The user key seems to be erroneous.
Please enter a code with 6 characters or generate it with the button at the right of field!</source>
        <translation>La chiave utente sembra errata.
Inserisci un codice di 6 caratteri o generalo con il pulsante a destra del campo!</translation>
    </message>
    <message>
        <source>Unsupported character</source>
        <translation>Carattere non supportato</translation>
    </message>
    <message>
        <source>The field &quot;%1&quot; contains the character &quot;%2&quot;, which the Orva module cannot read.
Please remove it.</source>
        <translation>Il campo «%1» contiene il carattere «%2», che il modulo Orva non può leggere.
Rimuovilo.</translation>
    </message>
    <message>
        <source>SD Card not available</source>
        <translation>Nessuna scheda SD disponibile</translation>
    </message>
    <message>
        <source>No SD card is available.
Please insert one and select it in the list.</source>
        <translation>Nessuna scheda SD è disponibile.
Inseriscine una e selezionala nell&apos;elenco.</translation>
    </message>
    <message>
        <source>on the Desktop.</source>
        <translation>salvato sul Desktop.</translation>
    </message>
    <message>
        <source>in My Documents.</source>
        <translation>salvato nella cartella Documenti.</translation>
    </message>
    <message>
        <source>The file was generated on the SD Card and your identifier (GUID) is </source>
        <translation>Il file è stato generato sulla scheda SD e il tuo identificativo (GUID) è </translation>
    </message>
    <message>
        <source>.
It could not be saved in a file: please write it down now.</source>
        <translation>.
Non è stato possibile salvarlo in un file: annotalo subito.</translation>
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
        <translation>Errore nel numero di telefono</translation>
    </message>
    <message>
        <source>
Uncheck &quot;Reset Configuration&quot; to edit this field.</source>
        <translation>
Deseleziona «Ripristina configurazione» per modificare questo campo.</translation>
    </message>
    <message>
        <source>The file %1 replaced the earlier one on the SD card, but it could not be confirmed there: it may be incomplete.
%2
Please generate it again.</source>
        <translation>Il file %1 ha sostituito quello precedente sulla scheda SD, ma non è stato possibile verificarlo: potrebbe essere incompleto.
%2
Generalo di nuovo.</translation>
    </message>
    <message>
        <source>
The identifier (GUID) the card may now carry is %1: please write it down.</source>
        <translation>
L&apos;identificativo (GUID) che la scheda potrebbe ora contenere è %1: annotalo.</translation>
    </message>
    <message>
        <source>
The identifier (GUID) the card may now carry is %1; it was saved in %2.</source>
        <translation>
L&apos;identificativo (GUID) che la scheda potrebbe ora contenere è %1; è stato salvato in %2.</translation>
    </message>
    <message>
        <source>in the folder 02 on the SD Card.</source>
        <translation>salvato nella cartella 02 sulla scheda SD.</translation>
    </message>
    <message>
        <source>The file on the SD card differs from what was written.</source>
        <translation>Il file sulla scheda SD non corrisponde a quanto scritto.</translation>
    </message>
    <message>
        <source>SD Card does not respond</source>
        <translation>La scheda SD non risponde</translation>
    </message>
    <message>
        <source>The SD card does not respond.
Please check it and try again.</source>
        <translation>La scheda SD non risponde.
Controllala e riprova.</translation>
    </message>
    <message>
        <source>SD &amp;Card Drive</source>
        <translation>&amp;Unità scheda SD</translation>
    </message>
    <message>
        <source>Orva &amp;Mode</source>
        <translation>&amp;Modalità Orva</translation>
    </message>
    <message>
        <source>Access Point &amp;Name (APN)</source>
        <translation>&amp;Punto di accesso (APN)</translation>
    </message>
    <message>
        <source>Access Point &amp;User Name</source>
        <translation>U&amp;tente APN</translation>
    </message>
    <message>
        <source>Access Point &amp;Password</source>
        <translation>Pass&amp;word APN</translation>
    </message>
    <message>
        <source>P&amp;IN Code</source>
        <translation>Codice P&amp;IN</translation>
    </message>
    <message>
        <source>&amp;SIM Card Phone Number</source>
        <translation>Numero della scheda &amp;SIM</translation>
    </message>
    <message>
        <source>&amp;Owner Phone Number</source>
        <translation>Numero del p&amp;roprietario</translation>
    </message>
    <message>
        <source>User &amp;Key &lt;key&gt;</source>
        <translation>&amp;Chiave utente &lt;key&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset Configuration</source>
        <translation>Ripristina c&amp;onfigurazione</translation>
    </message>
    <message>
        <source>&amp;Default settings</source>
        <translation>Pre&amp;definiti</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Generate</source>
        <translation>&amp;Genera</translation>
    </message>
    <message>
        <source>Accepted: %1</source>
        <translation>Forme accettate: %1</translation>
    </message>
    <message>
        <source>(READ ONLY)</source>
        <translation>(SOLA LETTURA)</translation>
    </message>
    <message>
        <source>Path: %1</source>
        <translation>Percorso: %1</translation>
    </message>
    <message>
        <source>Capacity: %1</source>
        <translation>Capacità: %1</translation>
    </message>
    <message>
        <source>File system: %1</source>
        <translation>File system: %1</translation>
    </message>
    <message>
        <source>4 to 6 digits, e.g. 5273 or 760584</source>
        <translation>da 4 a 6 cifre, ad es. 5273 o 760584</translation>
    </message>
    <message>
        <source>+41 79 123 45 67, 0041 79 123 45 67, or + and 14 digits</source>
        <translation>+41 79 123 45 67, 0041 79 123 45 67, o + e 14 cifre</translation>
    </message>
    <message>
        <source>+41 79 123 45 67, 0041 79 123 45 67, or 14 digits with or without +</source>
        <translation>+41 79 123 45 67, 0041 79 123 45 67, o 14 cifre con o senza +</translation>
    </message>
    <message>
        <source>6 letters (A-Z, a-z) or digits</source>
        <translation>6 lettere (A-Z, a-z) o cifre</translation>
    </message>
    <message>
        <source>The phone number in the field &quot;%1&quot; is not in a form that the module reads.
Please enter it as %2, or leave the field empty.</source>
        <translation>Il numero di telefono nel campo «%1» non è in una forma che il modulo legge.
Inserirlo come %2, o lasciare vuoto il campo.</translation>
    </message>
    <message>
        <source>&amp;Eject the card when done</source>
        <translation>Espelli &amp;la scheda al termine</translation>
    </message>
    <message>
        <source>it is still mounted at %1.</source>
        <translation>è ancora montata in %1.</translation>
    </message>
    <message>
        <source>

The SD card may now be removed.</source>
        <translation>

Ora la scheda SD può essere rimossa.</translation>
    </message>
    <message>
        <source>

The SD card could not be ejected. The file is written: eject the card before you take it out.</source>
        <translation>

La scheda SD non è stata espulsa. Il file è scritto: espellere la scheda prima di estrarla.</translation>
    </message>
    <message>
        <source>

The SD card could not be ejected: %1
The file is written: eject the card before you take it out.</source>
        <translation>

La scheda SD non è stata espulsa: %1
Il file è scritto: espellere la scheda prima di estrarla.</translation>
    </message>
    <message>
        <source>Prepare another card</source>
        <translation>Prepara un&apos;altra scheda</translation>
    </message>
    <message>
        <source>Reading the card...</source>
        <translation>Lettura della scheda...</translation>
    </message>
    <message>
        <source>unknown mode %1</source>
        <translation>modalità sconosciuta %1</translation>
    </message>
    <message>
        <source>No configuration on this card.</source>
        <translation>Nessuna configurazione su questa scheda.</translation>
    </message>
    <message>
        <source>A damaged parameter file (%1).</source>
        <translation>Un file di parametri danneggiato (%1).</translation>
    </message>
    <message>
        <source>The card could not be read: %1</source>
        <translation>Impossibile leggere la scheda: %1</translation>
    </message>
    <message>
        <source>On the card: %1, written %2.</source>
        <translation>Sulla scheda: %1, scritta il %2.</translation>
    </message>
    <message>
        <source>On the card: %1 %2, written %3.</source>
        <translation>Sulla scheda: %1 %2, scritta il %3.</translation>
    </message>
    <message>
        <source>The card does not respond: what it holds could not be read.</source>
        <translation>La scheda non risponde: il suo contenuto non è stato letto.</translation>
    </message>
    <message>
        <source>Replace the configuration?</source>
        <translation>Sostituire la configurazione?</translation>
    </message>
    <message>
        <source>The SD card holds a %1 configuration written %2, with the identifier %3.
Replacing it gives the installation a new identifier, which must be registered again on the customer portal.</source>
        <translation>La scheda SD contiene una configurazione %1 scritta il %2, con l&apos;identificativo %3.
Sostituendola l&apos;installazione riceve un nuovo identificativo, da registrare di nuovo sul portale clienti.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Sostituisci</translation>
    </message>
    <message>
        <source>The user key seems to be erroneous.
Please give --key 6 letters or digits, or --reset.</source>
        <translation>La chiave utente sembra errata.
Indicare con --key 6 lettere o cifre, oppure --reset.</translation>
    </message>
    <message>
        <source>The phone number given with %1 is not in a form that the module reads.
Please give it as %2, or leave %1 out.</source>
        <translation>Il numero di telefono indicato con %1 non è in una forma che il modulo legge.
Indicarlo come %2, oppure omettere %1.</translation>
    </message>
    <message>
        <source>The value of %1 contains the character &quot;%2&quot;, which the Orva module cannot read.
Please remove it.</source>
        <translation>Il valore di %1 contiene il carattere &quot;%2&quot;, che il modulo Orva non può leggere.
Rimuoverlo.</translation>
    </message>
    <message>
        <source>it is a file</source>
        <translation>è un file</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>è un collegamento</translation>
    </message>
    <message>
        <source>it is a special file</source>
        <translation>è un file speciale</translation>
    </message>
    <message>
        <source>it leads to another drive</source>
        <translation>porta a un&apos;altra unità</translation>
    </message>
    <message>
        <source>The folder 02 on the SD card cannot be used: %1
Please check that the card has free space and is not damaged.</source>
        <translation>La cartella 02 sulla scheda SD non può essere usata: %1
Verificare che la scheda abbia spazio libero e non sia danneggiata.</translation>
    </message>
    <message>
        <source>The folder 02 on the SD card is not a folder: %1.
Please rename or remove it on the card.</source>
        <translation>La cartella 02 sulla scheda SD non è una cartella: %1.
Rinominarla o rimuoverla sulla scheda.</translation>
    </message>
    <message>
        <source>It does not exist or is not a file.</source>
        <translation>Non esiste o non è un file.</translation>
    </message>
    <message>
        <source>It is far too large for a parameter file.</source>
        <translation>È troppo grande per un file di parametri.</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Non può essere letto: %1</translation>
    </message>
    <message>
        <source>It is not a parameter file that the module can read (%1).</source>
        <translation>Non è un file di parametri che il modulo può leggere (%1).</translation>
    </message>
    <message>
        <source>Parameter file not loaded</source>
        <translation>File di parametri non caricato</translation>
    </message>
    <message>
        <source>The form could not be filled from %1.</source>
        <translation>Non è stato possibile compilare il modulo da %1.</translation>
    </message>
    <message>
        <source>&amp;Load from card</source>
        <translation>Carica dalla sc&amp;heda</translation>
    </message>
    <message>
        <source>Fill the form from the parameter file on the chosen card</source>
        <translation>Compila il modulo dal file di parametri della scheda scelta</translation>
    </message>
    <message>
        <source>Nothing to load</source>
        <translation>Niente da caricare</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>non può essere letto: %1</translation>
    </message>
    <message>
        <source>is cut inside its header</source>
        <translation>è troncato all&apos;interno della sua intestazione</translation>
    </message>
    <message>
        <source>is cut before its mode</source>
        <translation>è troncato prima della sua modalità</translation>
    </message>
    <message>
        <source>names an unknown mode (%1)</source>
        <translation>indica una modalità sconosciuta (%1)</translation>
    </message>
    <message>
        <source>The file %1 on the SD card %2, so it cannot be told whether it holds an identifier that was registered on the customer portal.
Replacing it gives the installation a new identifier, which must be registered again on the customer portal.</source>
        <translation>Il file %1 sulla scheda SD %2; non si può quindi sapere se contiene un identificativo registrato sul portale clienti.
Sostituendolo l&apos;installazione riceve un nuovo identificativo, da registrare di nuovo sul portale clienti.</translation>
    </message>
    <message>
        <source>SD Card changed</source>
        <translation>La scheda SD è cambiata</translation>
    </message>
    <message>
        <source>The file %1 on the SD card changed after it was read: something else wrote to the card meanwhile. The card was left as it is.
Please check the card and try again.</source>
        <translation>Il file %1 sulla scheda SD è cambiato dopo essere stato letto: nel frattempo qualcos&apos;altro ha scritto sulla scheda. La scheda è stata lasciata com&apos;era.
Controllare la scheda e riprovare.</translation>
    </message>
    <message>
        <source>SD Card in use</source>
        <translation>Scheda SD in uso</translation>
    </message>
    <message>
        <source>Another window or program is preparing this SD card right now.
Please wait until it has finished, then try again.</source>
        <translation>Un&apos;altra finestra o un altro programma sta preparando questa scheda SD in questo momento.
Attendere che abbia finito, poi riprovare.</translation>
    </message>
    <message>
        <source>The SD card could not be reserved for this program alone: %1
Nothing was written.</source>
        <translation>Non è stato possibile riservare la scheda SD solo per questo programma: %1
Non è stato scritto nulla.</translation>
    </message>
    <message>
        <source>in the folder %1.</source>
        <translation>salvato nella cartella %1.</translation>
    </message>
    <message>
        <source>It does not respond: the card or drive that holds it stopped answering.</source>
        <translation>Non risponde: la scheda o l&apos;unità che lo contiene non risponde più.</translation>
    </message>
    <message>
        <source>The folder 02 leads off the card (%1): what it holds is not the card&apos;s.</source>
        <translation>La cartella 02 porta fuori dalla scheda (%1): ciò che contiene non è della scheda.</translation>
    </message>
    <message>
        <source>
The value is the one remembered as %1; %2 replaces it.</source>
        <translation>
Il valore è quello memorizzato come %1; %2 lo sostituisce.</translation>
    </message>
    <message>
        <source>The phone number remembered as %1 is not in a form that the module reads.
Please give it with %2 as %3.</source>
        <translation>Il numero di telefono memorizzato come %1 non è in una forma che il modulo legge.
Indicarlo con %2 come %3.</translation>
    </message>
    <message>
        <source>The value remembered as %1 contains the character &quot;%2&quot;, which the Orva module cannot read.
Please give %3 without it.</source>
        <translation>Il valore memorizzato come %1 contiene il carattere «%2», che il modulo Orva non può leggere.
Indicare %3 senza di esso.</translation>
    </message>
    <message>
        <source>The value remembered as %1 has %2 characters, more than the %3 that the field takes.
Please give a shorter one with %4.</source>
        <translation>Il valore memorizzato come %1 ha %2 caratteri, più dei %3 che il campo accetta.
Indicarne uno più breve con %4.</translation>
    </message>
    <message>
        <source>Text too long</source>
        <translation>Testo troppo lungo</translation>
    </message>
    <message>
        <source>The field &quot;%1&quot; holds %2 characters, more than the %3 it takes.
Please shorten it.</source>
        <translation>Il campo «%1» contiene %2 caratteri, più dei %3 che accetta.
Accorciarlo.</translation>
    </message>
    <message>
        <source>On the card: %1, written %2, for another server (%3).</source>
        <translation>Sulla scheda: %1, scritta il %2, per un altro server (%3).</translation>
    </message>
    <message>
        <source>On the card: %1 %2, written %3, for another server (%4).</source>
        <translation>Sulla scheda: %1 %2, scritta il %3, per un altro server (%4).</translation>
    </message>
    <message>
        <source>%1... (%2 characters in all)</source>
        <translation>%1... (%2 caratteri in tutto)</translation>
    </message>
    <message>
        <source>%1: the file holds %2 characters, the field takes %3. The form holds the first %3 and writes %4.</source>
        <translation>%1: il file contiene %2 caratteri, il campo ne accetta %3. Il modulo tiene i primi %3 e scrive %4.</translation>
    </message>
    <message>
        <source>%1: the file holds %2 characters, the field takes %3. The form holds the first %3, %4, which &quot;Generate&quot; refuses as they stand.</source>
        <translation>%1: il file contiene %2 caratteri, il campo ne accetta %3. Il modulo tiene i primi %3, %4, che «Genera» rifiuta così come sono.</translation>
    </message>
    <message>
        <source>%1: the file holds %2, the form writes %3.</source>
        <translation>%1: il file contiene %2, il modulo scrive %3.</translation>
    </message>
    <message>
        <source>The form was filled from %1, but it would not write everything as the file holds it:</source>
        <translation>Il modulo è stato compilato da %1, ma non scriverebbe tutto come il file lo contiene:</translation>
    </message>
    <message>
        <source>The file is written for another server, %1, perhaps by another release. The form writes this tool&apos;s server, %2.</source>
        <translation>Il file è scritto per un altro server, %1, forse da un’altra versione. Il modulo scrive il server di questo programma, %2.</translation>
    </message>
    <message>
        <source>Please check the form before you press &quot;Generate&quot;.</source>
        <translation>Controllare il modulo prima di premere «Genera».</translation>
    </message>
    <message>
        <source>Form filled with changes</source>
        <translation>Modulo compilato con modifiche</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Dispositivo: %1</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>n. di serie %1</translation>
    </message>
    <message>
        <source>Show the pass&amp;word</source>
        <translation>Mostr&amp;a la password</translation>
    </message>
    <message>
        <source>S&amp;how the PIN code</source>
        <translation>Mostra il codice PI&amp;N</translation>
    </message>
    <message>
        <source>No card chosen: put in an SD card.</source>
        <translation>Nessuna scheda scelta: inserire una scheda SD.</translation>
    </message>
    <message>
        <source>Read only: %1</source>
        <translation>Sola lettura: %1</translation>
    </message>
    <message>
        <source>the card %1</source>
        <translation>scheda %1</translation>
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
        <translation>Ripristina i &amp;valori di prima</translation>
    </message>
    <message>
        <source>Put the form back as it was before the load (%1)</source>
        <translation>Riporta il modulo com&apos;era prima del caricamento (%1)</translation>
    </message>
    <message>
        <source>Not accepted: the PIN code has 4 to 6 digits.</source>
        <translation>Non accettato: il codice PIN ha da 4 a 6 cifre.</translation>
    </message>
    <message>
        <source>Not accepted: the user key has 6 letters (A-Z, a-z) or digits.</source>
        <translation>Non accettato: la chiave utente ha 6 lettere (A-Z, a-z) o cifre.</translation>
    </message>
    <message>
        <source>Not accepted: the number needs the country code.
Accepted: %1</source>
        <translation>Non accettato: al numero manca il prefisso internazionale.
Accettati: %1</translation>
    </message>
    <message>
        <source>Not accepted: not a form the module reads.
Accepted: %1</source>
        <translation>Non accettato: non è una forma che il modulo legge.
Accettati: %1</translation>
    </message>
    <message>
        <source>Not accepted: longer than the %1 characters it takes.</source>
        <translation>Non accettato: più lungo dei %1 caratteri che il campo accetta.</translation>
    </message>
    <message>
        <source>Not accepted: the module cannot read the character &quot;%1&quot;.</source>
        <translation>Non accettato: il modulo non può leggere il carattere «%1».</translation>
    </message>
    <message>
        <source>Loaded: %1, nothing changed (from %2).</source>
        <translation>Caricato: %1, nulla è cambiato (origine: %2).</translation>
    </message>
    <message>
        <source>Loaded: %1, changed: %2 (from %3).</source>
        <translation>Caricato: %1, modificato: %2 (origine: %3).</translation>
    </message>
    <message>
        <source>%1 in the preset &quot;%2&quot;</source>
        <translation>%1 nella preimpostazione «%2»</translation>
    </message>
    <message>
        <source>ORVA presets (*.%1)</source>
        <translation>Preimpostazioni ORVA (*.%1)</translation>
    </message>
    <message>
        <source>&amp;Save as...</source>
        <translation>&amp;Salva come...</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Rinomina...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Elimina</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>Es&amp;porta...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importa...</translation>
    </message>
    <message>
        <source>The presets cannot be read: %1</source>
        <translation>Le preimpostazioni non possono essere lette: %1</translation>
    </message>
    <message>
        <source>The presets cannot be saved: %1</source>
        <translation>Le preimpostazioni non possono essere salvate: %1</translation>
    </message>
    <message>
        <source>Preset not saved</source>
        <translation>Preimpostazione non salvata</translation>
    </message>
    <message>
        <source>Replace preset</source>
        <translation>Sostituisci preimpostazione</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already. Replace it with the form?</source>
        <translation>Esiste già una preimpostazione chiamata «%1». Sostituirla con il modulo?</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Sostituisci</translation>
    </message>
    <message>
        <source>Preset not used</source>
        <translation>Preimpostazione non usata</translation>
    </message>
    <message>
        <source>Preset not renamed</source>
        <translation>Preimpostazione non rinominata</translation>
    </message>
    <message>
        <source>Preset not deleted</source>
        <translation>Preimpostazione non eliminata</translation>
    </message>
    <message>
        <source>Preset not exported</source>
        <translation>Preimpostazione non esportata</translation>
    </message>
    <message>
        <source>The drive that holds it does not respond.</source>
        <translation>L’unità che la contiene non risponde.</translation>
    </message>
    <message>
        <source>The preset could not be written to %1.</source>
        <translation>Non è stato possibile scrivere la preimpostazione in %1.</translation>
    </message>
    <message>
        <source>Preset not imported</source>
        <translation>Preimpostazione non importata</translation>
    </message>
    <message>
        <source>No preset could be taken from %1.</source>
        <translation>Non è stato possibile prendere una preimpostazione da %1.</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already. Replace it with the one of %2?</source>
        <translation>Esiste già una preimpostazione chiamata «%1». Sostituirla con quella di %2?</translation>
    </message>
    <message>
        <source>Save as preset</source>
        <translation>Salva come preimpostazione</translation>
    </message>
    <message>
        <source>Name of the preset (a site, a customer):</source>
        <translation>Nome della preimpostazione (un sito, un cliente):</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Rinomina preimpostazione</translation>
    </message>
    <message>
        <source>New name of the preset &quot;%1&quot;:</source>
        <translation>Nuovo nome della preimpostazione «%1»:</translation>
    </message>
    <message>
        <source>Delete preset</source>
        <translation>Elimina preimpostazione</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Eliminare la preimpostazione «%1»?</translation>
    </message>
    <message>
        <source>Export preset</source>
        <translation>Esporta preimpostazione</translation>
    </message>
    <message>
        <source>Import preset</source>
        <translation>Importa preimpostazione</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tutti i file (*)</translation>
    </message>
    <message>
        <source>It is far too large for a preset.</source>
        <translation>È troppo grande per una preimpostazione.</translation>
    </message>
    <message>
        <source>It is not a preset of ORVA Configurator.</source>
        <translation>Non è una preimpostazione di ORVA Configurator.</translation>
    </message>
    <message>
        <source>It was written by a newer ORVA Configurator; please update this one.</source>
        <translation>È stata scritta da un ORVA Configurator più recente; aggiornare questo.</translation>
    </message>
    <message>
        <source>Its mode is none of the module&apos;s.</source>
        <translation>La sua modalità non è una di quelle del modulo.</translation>
    </message>
    <message>
        <source>It holds &quot;%1&quot;, which a preset of its mode does not hold.</source>
        <translation>Contiene «%1», che una preimpostazione della sua modalità non contiene.</translation>
    </message>
    <message>
        <source>Its value of &quot;%1&quot; is not of the kind that the form keeps there.</source>
        <translation>Il suo valore di «%1» non è del tipo che il modulo vi conserva.</translation>
    </message>
    <message>
        <source>A preset needs a name.</source>
        <translation>Una preimpostazione ha bisogno di un nome.</translation>
    </message>
    <message>
        <source>A preset&apos;s name has at most %1 characters.</source>
        <translation>Il nome di una preimpostazione ha al massimo %1 caratteri.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; holds a control character; please type it without.</source>
        <translation>Il nome «%1» contiene un carattere di controllo; digitarlo senza.</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already.</source>
        <translation>Esiste già una preimpostazione chiamata «%1».</translation>
    </message>
    <message>
        <source>There is no preset called &quot;%1&quot;.</source>
        <translation>Non esiste una preimpostazione chiamata «%1».</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; holds a value that the form cannot hold:</source>
        <translation>La preimpostazione «%1» contiene un valore che il modulo non può accettare:</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; cannot be read: %2</source>
        <translation>La preimpostazione «%1» non può essere letta: %2</translation>
    </message>
    <message>
        <source>The presets could not be saved in %1.</source>
        <translation>Non è stato possibile salvare le preimpostazioni in %1.</translation>
    </message>
    <message>
        <source>Presets: fill the form from one; save the form as one, rename, delete, export or import one</source>
        <translation>Preimpostazioni: compilare il modulo da una; salvare il modulo come preimpostazione, rinominarne, eliminarne, esportarne o importarne una</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Preimpostazioni</translation>
    </message>
    <message>
        <source>Prepare each card pu&amp;t in</source>
        <translation>Prepara su&amp;bito ogni scheda inserita</translation>
    </message>
    <message>
        <source>Every card put in from now on is prepared with this form, without a click. Cards that hold a GSM or LAN identifier are kept as they are.</source>
        <translation>Ogni scheda inserita da ora in poi viene preparata con questo modulo, senza clic. Le schede che contengono un identificativo GSM o LAN restano come sono.</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>senza limite</translation>
    </message>
    <message>
        <source>Stop after this many cards were prepared</source>
        <translation>Fermarsi dopo questo numero di schede preparate</translation>
    </message>
    <message>
        <source>Prepared: %1, refused: %2</source>
        <translation>Preparate: %1, rifiutate: %2</translation>
    </message>
    <message>
        <source>Cards not followed</source>
        <translation>Schede non seguite</translation>
    </message>
    <message>
        <source>This system tells nothing of cards put in: prepare each card with &quot;Generate&quot;.</source>
        <translation>Questo sistema non segnala le schede inserite: prepara ogni scheda con «Genera».</translation>
    </message>
    <message>
        <source>Cards of this run</source>
        <translation>Schede di questa serie</translation>
    </message>
    <message>
        <source>Record of prepared cards: %1</source>
        <translation>Registro delle schede preparate: %1</translation>
    </message>
    <message>
        <source>Open the &amp;record</source>
        <translation>Apri il &amp;registro</translation>
    </message>
    <message>
        <source>Identifiers of this run: none yet</source>
        <translation>Identificativi di questa serie: ancora nessuno</translation>
    </message>
    <message>
        <source>Open the &amp;identifiers</source>
        <translation>Apri gli &amp;identificativi</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Ora</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Scheda</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modalità</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Risultato</translation>
    </message>
    <message>
        <source>&amp;Copy the identifier</source>
        <translation>&amp;Copia l&apos;identificativo</translation>
    </message>
    <message>
        <source>may be removed</source>
        <translation>può essere rimossa</translation>
    </message>
    <message>
        <source>written, not ejected: eject it before you take it out</source>
        <translation>scritta, non espulsa: espellila prima di toglierla</translation>
    </message>
    <message>
        <source>written, not ejected (%1): eject it before you take it out</source>
        <translation>scritta, non espulsa (%1): espellila prima di toglierla</translation>
    </message>
    <message>
        <source>kept: %1</source>
        <translation>conservata: %1</translation>
    </message>
    <message>
        <source>already prepared in this run: %1</source>
        <translation>già preparata in questa serie: %1</translation>
    </message>
    <message>
        <source>read only</source>
        <translation>di sola lettura</translation>
    </message>
    <message>
        <source>full</source>
        <translation>piena</translation>
    </message>
    <message>
        <source>does not respond</source>
        <translation>non risponde</translation>
    </message>
    <message>
        <source>not prepared: %1</source>
        <translation>non preparata: %1</translation>
    </message>
    <message>
        <source>Card prepared: it may be removed</source>
        <translation>Scheda preparata: può essere rimossa</translation>
    </message>
    <message>
        <source>Card prepared: eject it first</source>
        <translation>Scheda preparata: espellila prima</translation>
    </message>
    <message>
        <source>Card not prepared: it may be removed</source>
        <translation>Scheda non preparata: può essere rimossa</translation>
    </message>
    <message>
        <source>Card not prepared</source>
        <translation>Scheda non preparata</translation>
    </message>
    <message>
        <source>Alt+J</source>
        <comment>shortcut of the button that opens the presets menu</comment>
        <translation>Alt+J</translation>
    </message>
    <message>
        <source>preset &quot;%1&quot;</source>
        <translation>preimpostazione «%1»</translation>
    </message>
    <message>
        <source>New identifier</source>
        <translation>Nuovo identificativo</translation>
    </message>
    <message>
        <source>Identifier kept</source>
        <translation>Identificativo conservato</translation>
    </message>
    <message>
        <source>Identifiers of this run: %1 new, %2 kept</source>
        <translation>Identificativi di questa serie: %1 nuovi, %2 conservati</translation>
    </message>
    <message>
        <source>%1; the GSM and LAN ones are in %2</source>
        <translation>%1; quelli GSM e LAN sono in %2</translation>
    </message>
    <message>
        <source>in use by another writer</source>
        <translation>in uso da un altro programma di scrittura</translation>
    </message>
    <message>
        <source>%1; it may be removed</source>
        <translation>%1; può essere rimossa</translation>
    </message>
    <message>
        <source>%1; eject it before you take it out</source>
        <translation>%1; espellerla prima di estrarla</translation>
    </message>
    <message>
        <source>Open the portal</source>
        <translation>Apri il portale</translation>
    </message>
    <message>
        <source>

The file &quot;%1&quot; holds it: %2</source>
        <translation>

Il file «%1» lo contiene: %2</translation>
    </message>
    <message>
        <source>The remembered mode %1 is none of the module&apos;s: the form starts in %2.</source>
        <translation>La modalità memorizzata %1 non è una di quelle del modulo: il modulo parte in %2.</translation>
    </message>
    <message>
        <source>There are %1 presets already, as many as the list holds.</source>
        <translation>Ci sono già %1 preimpostazioni, quante la lista ne può contenere.</translation>
    </message>
    <message>
        <source>left alone: holds other files</source>
        <translation>lasciata com’è: contiene altri file</translation>
    </message>
    <message>
        <source>its folders cannot be read</source>
        <translation>le sue cartelle non sono leggibili</translation>
    </message>
    <message>
        <source>Every card put in gets the values shown. To change them, stop the series.</source>
        <translation>Ogni scheda inserita riceve i valori mostrati. Per cambiarli, fermare la serie.</translation>
    </message>
    <message>
        <source>Card readers of the series:</source>
        <translation>Lettori di schede della serie:</translation>
    </message>
    <message>
        <source>Untick to leave the cards put in it alone</source>
        <translation>Deselezionare per lasciare com’è ogni scheda inserita qui</translation>
    </message>
    <message>
        <source>SD Card is Full</source>
        <translation>Scheda SD piena</translation>
    </message>
    <message>
        <source>The SD card has no room for the file.
Please free some space on it.</source>
        <translation>Sulla scheda SD non c’è spazio per il file.
Liberare spazio sulla scheda.</translation>
    </message>
    <message>
        <source>SD Card Removed</source>
        <translation>Scheda SD rimossa</translation>
    </message>
    <message>
        <source>The SD card was removed.
Please insert it and try again.</source>
        <translation>La scheda SD è stata rimossa.
Inserirla e riprovare.</translation>
    </message>
    <message>
        <source>Values per card: none</source>
        <translation>Valori per scheda: nessuno</translation>
    </message>
    <message>
        <source>&amp;Values per card…</source>
        <translation>&amp;Valori per scheda…</translation>
    </message>
    <message>
        <source>A CSV list: each card prepared gets the next row&apos;s values, the form gives the rest</source>
        <translation>Un elenco CSV: ogni scheda preparata riceve i valori della riga successiva, il modulo il resto</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Riga</translation>
    </message>
    <message>
        <source>Copy the &amp;new identifiers</source>
        <translation>Copia i &amp;nuovi identificativi</translation>
    </message>
    <message>
        <source>&amp;Save the list…</source>
        <translation>&amp;Salva l&apos;elenco…</translation>
    </message>
    <message>
        <source>Save the list of this run</source>
        <translation>Salva l&apos;elenco di questa serie</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>File CSV (*.csv)</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2</source>
        <translation>Non è stato possibile salvare l&apos;elenco in %1: %2</translation>
    </message>
    <message>
        <source>Values per card</source>
        <translation>Valori per scheda</translation>
    </message>
    <message>
        <source>Values per card: %1, %2 rows, from the next series on</source>
        <translation>Valori per scheda: %1, %2 righe, dalla prossima serie</translation>
    </message>
    <message>
        <source>a row that a card in hand gives back</source>
        <translation>una riga che una scheda in corso restituisce</translation>
    </message>
    <message>
        <source>Values per card: %1; the next card gets %2</source>
        <translation>Valori per scheda: %1; la prossima scheda riceve %2</translation>
    </message>
    <message>
        <source>The next card put in gets the values shown, %1 of %2. To change them, stop the series.</source>
        <translation>La prossima scheda inserita riceve i valori mostrati, %1 di %2. Per cambiarli, fermare la serie.</translation>
    </message>
    <message>
        <source>wait until the cards being prepared have ended</source>
        <translation>attendere che le schede in corso siano terminate</translation>
    </message>
    <message>
        <source>every row of the values per card was used</source>
        <translation>ogni riga dei valori per scheda è stata usata</translation>
    </message>
    <message>
        <source>%1 is not used in the mode %2</source>
        <translation>%1 non è usato nella modalità %2</translation>
    </message>
    <message>
        <source>the site is longer than %1 characters</source>
        <translation>il sito supera %1 caratteri</translation>
    </message>
    <message>
        <source>the site holds a control character</source>
        <translation>il sito contiene un carattere di controllo</translation>
    </message>
    <message>
        <source>the row is longer than %1 bytes</source>
        <translation>la riga supera %1 byte</translation>
    </message>
    <message>
        <source>the text is not UTF-8: save the list as &quot;CSV UTF-8&quot;</source>
        <translation>il testo non è UTF-8: salvare l&apos;elenco come &quot;CSV UTF-8&quot;</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is no field of the form; the columns are %2</source>
        <translation>la colonna &quot;%1&quot; non è un campo del modulo; le colonne sono %2</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is named twice</source>
        <translation>la colonna &quot;%1&quot; è nominata due volte</translation>
    </message>
    <message>
        <source>the list holds more than %1 rows</source>
        <translation>l&apos;elenco ha più di %1 righe</translation>
    </message>
    <message>
        <source>a quote is not closed</source>
        <translation>una virgoletta non è chiusa</translation>
    </message>
    <message>
        <source>the row has %1 values, the header names %2 columns</source>
        <translation>la riga ha %1 valori, l&apos;intestazione nomina %2 colonne</translation>
    </message>
    <message>
        <source>the list holds no row under its header</source>
        <translation>l&apos;elenco non ha righe sotto l&apos;intestazione</translation>
    </message>
    <message>
        <source>It is larger than a list of %1 rows can be.</source>
        <translation>È più grande di quanto possa essere un elenco di %1 righe.</translation>
    </message>
    <message>
        <source>The values per card in %1 cannot be used: %2</source>
        <translation>I valori per scheda in %1 non possono essere usati: %2</translation>
    </message>
    <message>
        <source>The values per card in %1 cannot be used: line %2: %3</source>
        <translation>I valori per scheda in %1 non possono essere usati: riga %2: %3</translation>
    </message>
    <message>
        <source>Every row of the values per card was used (%1): the series stopped.</source>
        <translation>Ogni riga dei valori per scheda è stata usata (%1): la serie si è fermata.</translation>
    </message>
    <message>
        <source>row %1 of %2</source>
        <translation>riga %1 di %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Labels…</source>
        <translation>Etichette…</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etichette</translation>
    </message>
    <message>
        <source>No GSM or LAN card was prepared in this run: there is no identifier to put on a label.</source>
        <translation>In questa serie non è stata preparata nessuna scheda GSM o LAN: non c&apos;è alcun identificativo da mettere su un&apos;etichetta.</translation>
    </message>
    <message>
        <source>A4 sheet, 3 × 8 labels (*.pdf)</source>
        <translation>Foglio A4, 3 × 8 etichette (*.pdf)</translation>
    </message>
    <message>
        <source>62 mm label printer (*.pdf)</source>
        <translation>Stampante di etichette 62 mm (*.pdf)</translation>
    </message>
    <message>
        <source>Save the labels</source>
        <translation>Salva le etichette</translation>
    </message>
    <message>
        <source>The labels could not be saved in %1:
%2</source>
        <translation>Non è stato possibile salvare le etichette in %1:
%2</translation>
    </message>
    <message>
        <source>&amp;Labels…</source>
        <translation>&amp;Etichette…</translation>
    </message>
</context>
</TS>
