<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Configurator</name>
    <message>
        <source>Access Point Name (APN)</source>
        <translation>Point d&apos;accès (APN)</translation>
    </message>
    <message>
        <source>Ask your provider</source>
        <translation>Demandez à votre opérateur</translation>
    </message>
    <message>
        <source>Access Point User Name</source>
        <translation>Utilisateur APN</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Access Point Password</source>
        <translation>Mot de passe APN</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>PIN Code</source>
        <translation>Code PIN</translation>
    </message>
    <message>
        <source>SIM Card Phone Number</source>
        <translation>Numéro de la carte SIM</translation>
    </message>
    <message>
        <source>e.g. +41 79 123 45 67</source>
        <translation>p. ex. +41 79 123 45 67</translation>
    </message>
    <message>
        <source>Owner Phone Number</source>
        <translation>Numéro du propriétaire</translation>
    </message>
    <message>
        <source>User Key &lt;key&gt;</source>
        <translation>Clé utilisateur &lt;key&gt;</translation>
    </message>
    <message>
        <source>6 positions access code e.g. Wd3kPz</source>
        <translation>Code d&apos;accès à 6 caractères, p. ex. Wd3kPz</translation>
    </message>
    <message>
        <source>4 or 6 digits e.g. 5273 or 760584</source>
        <translation>4 ou 6 chiffres, p. ex. 5273 ou 760584</translation>
    </message>
    <message>
        <source>Refresh the list of SD cards</source>
        <translation>Actualiser la liste des cartes SD</translation>
    </message>
    <message>
        <source>Generate a random user key</source>
        <translation>Générer une clé utilisateur aléatoire</translation>
    </message>
    <message>
        <source>SD Card is Read Only</source>
        <translation>Carte SD protégée en écriture</translation>
    </message>
    <message>
        <source>The SD card is read only.
Please unlock the SD card.</source>
        <translation>La carte SD est protégée en écriture.
Veuillez déverrouiller la carte SD.</translation>
    </message>
    <message>
        <source>SD Card Not Found</source>
        <translation>Carte SD introuvable</translation>
    </message>
    <message>
        <source>The SD card was not found in the selected drive.
Please select the correct drive.</source>
        <translation>Aucune carte SD n&apos;a été trouvée dans le lecteur choisi.
Veuillez choisir le bon lecteur.</translation>
    </message>
    <message>
        <source>File not written</source>
        <translation>Fichier non écrit</translation>
    </message>
    <message>
        <source>The file %1 could not be written on the SD card.
%2</source>
        <translation>Le fichier %1 n&apos;a pas pu être écrit sur la carte SD.
%2</translation>
    </message>
    <message>
        <source>File generated</source>
        <translation>Fichier généré</translation>
    </message>
    <message>
        <source>The file was generated on the SD Card.</source>
        <translation>Le fichier a été généré sur la carte SD.</translation>
    </message>
    <message>
        <source>PIN Code error</source>
        <translation>Erreur de code PIN</translation>
    </message>
    <message>
        <source>The PIN code seems to be erroneous.
Please enter a code with 4-6 digits!</source>
        <translation>Le code PIN semble erroné.
Veuillez saisir un code de 4 à 6 chiffres !</translation>
    </message>
    <message>
        <source>User key error</source>
        <translation>Erreur de clé utilisateur</translation>
    </message>
    <message>
        <source>The user key seems to be erroneous.
Please enter a code with 6 characters or generate it with the button at the right of field!</source>
        <translation>La clé utilisateur semble erronée.
Veuillez saisir un code de 6 caractères ou le générer avec le bouton à droite du champ !</translation>
    </message>
    <message>
        <source>Unsupported character</source>
        <translation>Caractère non pris en charge</translation>
    </message>
    <message>
        <source>The field &quot;%1&quot; contains the character &quot;%2&quot;, which the Orva module cannot read.
Please remove it.</source>
        <translation>Le champ « %1 » contient le caractère « %2 », que le module Orva ne peut pas lire.
Veuillez le supprimer.</translation>
    </message>
    <message>
        <source>SD Card not available</source>
        <translation>Aucune carte SD disponible</translation>
    </message>
    <message>
        <source>No SD card is available.
Please insert one and select it in the list.</source>
        <translation>Aucune carte SD n&apos;est disponible.
Veuillez en insérer une et la choisir dans la liste.</translation>
    </message>
    <message>
        <source>on the Desktop.</source>
        <translation>enregistré sur le Bureau.</translation>
    </message>
    <message>
        <source>in My Documents.</source>
        <translation>enregistré dans le dossier Documents.</translation>
    </message>
    <message>
        <source>The file was generated on the SD Card and your identifier (GUID) is </source>
        <translation>Le fichier a été généré sur la carte SD et votre identifiant (GUID) est </translation>
    </message>
    <message>
        <source>.
It could not be saved in a file: please write it down now.</source>
        <translation>.
Il n&apos;a pas pu être enregistré dans un fichier : veuillez le noter maintenant.</translation>
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
        <translation>Erreur de numéro de téléphone</translation>
    </message>
    <message>
        <source>
Uncheck &quot;Reset Configuration&quot; to edit this field.</source>
        <translation>
Décochez « Réinitialiser la configuration » pour modifier ce champ.</translation>
    </message>
    <message>
        <source>The file %1 replaced the earlier one on the SD card, but it could not be confirmed there: it may be incomplete.
%2
Please generate it again.</source>
        <translation>Le fichier %1 a remplacé l&apos;ancien sur la carte SD, mais il n&apos;a pas pu y être vérifié : il est peut-être incomplet.
%2
Veuillez le générer à nouveau.</translation>
    </message>
    <message>
        <source>
The identifier (GUID) the card may now carry is %1: please write it down.</source>
        <translation>
L&apos;identifiant (GUID) que la carte porte peut-être désormais est %1 : veuillez le noter.</translation>
    </message>
    <message>
        <source>
The identifier (GUID) the card may now carry is %1; it was saved in %2.</source>
        <translation>
L&apos;identifiant (GUID) que la carte porte peut-être désormais est %1 ; il a été enregistré dans %2.</translation>
    </message>
    <message>
        <source>in the folder 02 on the SD Card.</source>
        <translation>enregistré dans le dossier 02 de la carte SD.</translation>
    </message>
    <message>
        <source>The file on the SD card differs from what was written.</source>
        <translation>Le fichier sur la carte SD diffère de ce qui a été écrit.</translation>
    </message>
    <message>
        <source>SD Card does not respond</source>
        <translation>La carte SD ne répond pas</translation>
    </message>
    <message>
        <source>The SD card does not respond.
Please check it and try again.</source>
        <translation>La carte SD ne répond pas.
Veuillez la vérifier et réessayer.</translation>
    </message>
    <message>
        <source>SD &amp;Card Drive</source>
        <translation>&amp;Lecteur de carte SD</translation>
    </message>
    <message>
        <source>Orva &amp;Mode</source>
        <translation>&amp;Mode Orva</translation>
    </message>
    <message>
        <source>Access Point &amp;Name (APN)</source>
        <translation>&amp;Point d&apos;accès (APN)</translation>
    </message>
    <message>
        <source>Access Point &amp;User Name</source>
        <translation>&amp;Utilisateur APN</translation>
    </message>
    <message>
        <source>Access Point &amp;Password</source>
        <translation>Mot de p&amp;asse APN</translation>
    </message>
    <message>
        <source>P&amp;IN Code</source>
        <translation>Code P&amp;IN</translation>
    </message>
    <message>
        <source>&amp;SIM Card Phone Number</source>
        <translation>Numéro de la carte &amp;SIM</translation>
    </message>
    <message>
        <source>&amp;Owner Phone Number</source>
        <translation>Numéro du p&amp;ropriétaire</translation>
    </message>
    <message>
        <source>User &amp;Key &lt;key&gt;</source>
        <translation>&amp;Clé utilisateur &lt;key&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset Configuration</source>
        <translation>Réi&amp;nitialiser la configuration</translation>
    </message>
    <message>
        <source>&amp;Default settings</source>
        <translation>Par &amp;défaut</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Generate</source>
        <translation>&amp;Générer</translation>
    </message>
    <message>
        <source>Accepted: %1</source>
        <translation>Formes acceptées : %1</translation>
    </message>
    <message>
        <source>(READ ONLY)</source>
        <translation>(LECTURE SEULE)</translation>
    </message>
    <message>
        <source>Path: %1</source>
        <translation>Chemin : %1</translation>
    </message>
    <message>
        <source>Capacity: %1</source>
        <translation>Capacité : %1</translation>
    </message>
    <message>
        <source>File system: %1</source>
        <translation>Système de fichiers : %1</translation>
    </message>
    <message>
        <source>4 to 6 digits, e.g. 5273 or 760584</source>
        <translation>4 à 6 chiffres, p. ex. 5273 ou 760584</translation>
    </message>
    <message>
        <source>+41 79 123 45 67, 0041 79 123 45 67, or + and 14 digits</source>
        <translation>+41 79 123 45 67, 0041 79 123 45 67, ou + et 14 chiffres</translation>
    </message>
    <message>
        <source>+41 79 123 45 67, 0041 79 123 45 67, or 14 digits with or without +</source>
        <translation>+41 79 123 45 67, 0041 79 123 45 67, ou 14 chiffres avec ou sans +</translation>
    </message>
    <message>
        <source>6 letters (A-Z, a-z) or digits</source>
        <translation>6 lettres (A-Z, a-z) ou chiffres</translation>
    </message>
    <message>
        <source>The phone number in the field &quot;%1&quot; is not in a form that the module reads.
Please enter it as %2, or leave the field empty.</source>
        <translation>Le numéro de téléphone du champ « %1 » n&apos;a pas une forme que le module lit.
Veuillez le saisir sous la forme %2, ou laisser le champ vide.</translation>
    </message>
    <message>
        <source>&amp;Eject the card when done</source>
        <translation>É&amp;jecter la carte à la fin</translation>
    </message>
    <message>
        <source>it is still mounted at %1.</source>
        <translation>elle est encore montée sur %1.</translation>
    </message>
    <message>
        <source>

The SD card may now be removed.</source>
        <translation>

La carte SD peut maintenant être retirée.</translation>
    </message>
    <message>
        <source>

The SD card could not be ejected. The file is written: eject the card before you take it out.</source>
        <translation>

La carte SD n&apos;a pas pu être éjectée. Le fichier est écrit : éjectez la carte avant de la retirer.</translation>
    </message>
    <message>
        <source>

The SD card could not be ejected: %1
The file is written: eject the card before you take it out.</source>
        <translation>

La carte SD n&apos;a pas pu être éjectée : %1
Le fichier est écrit : éjectez la carte avant de la retirer.</translation>
    </message>
    <message>
        <source>Prepare another card</source>
        <translation>Préparer une autre carte</translation>
    </message>
    <message>
        <source>Reading the card...</source>
        <translation>Lecture de la carte...</translation>
    </message>
    <message>
        <source>unknown mode %1</source>
        <translation>mode inconnu %1</translation>
    </message>
    <message>
        <source>No configuration on this card.</source>
        <translation>Aucune configuration sur cette carte.</translation>
    </message>
    <message>
        <source>A damaged parameter file (%1).</source>
        <translation>Un fichier de paramètres endommagé (%1).</translation>
    </message>
    <message>
        <source>The card could not be read: %1</source>
        <translation>La carte n&apos;a pas pu être lue : %1</translation>
    </message>
    <message>
        <source>On the card: %1, written %2.</source>
        <translation>Sur la carte : %1, écrit le %2.</translation>
    </message>
    <message>
        <source>On the card: %1 %2, written %3.</source>
        <translation>Sur la carte : %1 %2, écrit le %3.</translation>
    </message>
    <message>
        <source>The card does not respond: what it holds could not be read.</source>
        <translation>La carte ne répond pas : son contenu n&apos;a pas pu être lu.</translation>
    </message>
    <message>
        <source>Replace the configuration?</source>
        <translation>Remplacer la configuration ?</translation>
    </message>
    <message>
        <source>The SD card holds a %1 configuration written %2, with the identifier %3.
Replacing it gives the installation a new identifier, which must be registered again on the customer portal.</source>
        <translation>La carte SD contient une configuration %1 écrite le %2, avec l&apos;identifiant %3.
La remplacer donne à l&apos;installation un nouvel identifiant, à enregistrer de nouveau sur le portail client.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>The user key seems to be erroneous.
Please give --key 6 letters or digits, or --reset.</source>
        <translation>La clé utilisateur semble erronée.
Veuillez donner à --key 6 lettres ou chiffres, ou utiliser --reset.</translation>
    </message>
    <message>
        <source>The phone number given with %1 is not in a form that the module reads.
Please give it as %2, or leave %1 out.</source>
        <translation>Le numéro de téléphone donné avec %1 n&apos;a pas une forme que le module lit.
Veuillez le donner sous la forme %2, ou omettre %1.</translation>
    </message>
    <message>
        <source>The value of %1 contains the character &quot;%2&quot;, which the Orva module cannot read.
Please remove it.</source>
        <translation>La valeur de %1 contient le caractère &quot;%2&quot;, que le module Orva ne peut pas lire.
Veuillez le supprimer.</translation>
    </message>
    <message>
        <source>it is a file</source>
        <translation>c&apos;est un fichier</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>c&apos;est un lien</translation>
    </message>
    <message>
        <source>it is a special file</source>
        <translation>c&apos;est un fichier spécial</translation>
    </message>
    <message>
        <source>it leads to another drive</source>
        <translation>il mène vers un autre lecteur</translation>
    </message>
    <message>
        <source>The folder 02 on the SD card cannot be used: %1
Please check that the card has free space and is not damaged.</source>
        <translation>Le dossier 02 de la carte SD ne peut pas être utilisé : %1
Veuillez vérifier que la carte a de l&apos;espace libre et n&apos;est pas endommagée.</translation>
    </message>
    <message>
        <source>The folder 02 on the SD card is not a folder: %1.
Please rename or remove it on the card.</source>
        <translation>Le dossier 02 de la carte SD n&apos;est pas un dossier : %1.
Veuillez le renommer ou le supprimer sur la carte.</translation>
    </message>
    <message>
        <source>It does not exist or is not a file.</source>
        <translation>Il n&apos;existe pas ou n&apos;est pas un fichier.</translation>
    </message>
    <message>
        <source>It is far too large for a parameter file.</source>
        <translation>Il est bien trop grand pour un fichier de paramètres.</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Il ne peut pas être lu : %1</translation>
    </message>
    <message>
        <source>It is not a parameter file that the module can read (%1).</source>
        <translation>Ce n&apos;est pas un fichier de paramètres que le module peut lire (%1).</translation>
    </message>
    <message>
        <source>Parameter file not loaded</source>
        <translation>Fichier de paramètres non chargé</translation>
    </message>
    <message>
        <source>The form could not be filled from %1.</source>
        <translation>Le formulaire n&apos;a pas pu être rempli à partir de %1.</translation>
    </message>
    <message>
        <source>&amp;Load from card</source>
        <translation>C&amp;harger depuis la carte</translation>
    </message>
    <message>
        <source>Fill the form from the parameter file on the chosen card</source>
        <translation>Remplir le formulaire depuis le fichier de paramètres de la carte choisie</translation>
    </message>
    <message>
        <source>Nothing to load</source>
        <translation>Rien à charger</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>ne peut pas être lu : %1</translation>
    </message>
    <message>
        <source>is cut inside its header</source>
        <translation>est tronqué dans son en-tête</translation>
    </message>
    <message>
        <source>is cut before its mode</source>
        <translation>est tronqué avant son mode</translation>
    </message>
    <message>
        <source>names an unknown mode (%1)</source>
        <translation>indique un mode inconnu (%1)</translation>
    </message>
    <message>
        <source>The file %1 on the SD card %2, so it cannot be told whether it holds an identifier that was registered on the customer portal.
Replacing it gives the installation a new identifier, which must be registered again on the customer portal.</source>
        <translation>Le fichier %1 sur la carte SD %2 ; on ne peut donc pas savoir s&apos;il contient un identifiant enregistré sur le portail client.
Le remplacer donne à l&apos;installation un nouvel identifiant, à enregistrer de nouveau sur le portail client.</translation>
    </message>
    <message>
        <source>SD Card changed</source>
        <translation>La carte SD a changé</translation>
    </message>
    <message>
        <source>The file %1 on the SD card changed after it was read: something else wrote to the card meanwhile. The card was left as it is.
Please check the card and try again.</source>
        <translation>Le fichier %1 sur la carte SD a changé après avoir été lu : autre chose a écrit sur la carte entre-temps. La carte a été laissée telle quelle.
Veuillez vérifier la carte et réessayer.</translation>
    </message>
    <message>
        <source>SD Card in use</source>
        <translation>Carte SD occupée</translation>
    </message>
    <message>
        <source>Another window or program is preparing this SD card right now.
Please wait until it has finished, then try again.</source>
        <translation>Une autre fenêtre ou un autre programme prépare cette carte SD en ce moment.
Veuillez attendre la fin, puis réessayer.</translation>
    </message>
    <message>
        <source>The SD card could not be reserved for this program alone: %1
Nothing was written.</source>
        <translation>La carte SD n&apos;a pas pu être réservée pour ce seul programme : %1
Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>in the folder %1.</source>
        <translation>enregistré dans le dossier %1.</translation>
    </message>
    <message>
        <source>It does not respond: the card or drive that holds it stopped answering.</source>
        <translation>Il ne répond pas : la carte ou le lecteur qui le contient ne répond plus.</translation>
    </message>
    <message>
        <source>The folder 02 leads off the card (%1): what it holds is not the card&apos;s.</source>
        <translation>Le dossier 02 mène hors de la carte (%1) : son contenu n&apos;est pas celui de la carte.</translation>
    </message>
    <message>
        <source>
The value is the one remembered as %1; %2 replaces it.</source>
        <translation>
La valeur est celle enregistrée sous %1 ; %2 la remplace.</translation>
    </message>
    <message>
        <source>The phone number remembered as %1 is not in a form that the module reads.
Please give it with %2 as %3.</source>
        <translation>Le numéro de téléphone enregistré sous %1 n’a pas une forme que le module lit.
Veuillez le donner avec %2 sous la forme %3.</translation>
    </message>
    <message>
        <source>The value remembered as %1 contains the character &quot;%2&quot;, which the Orva module cannot read.
Please give %3 without it.</source>
        <translation>La valeur enregistrée sous %1 contient le caractère « %2 », que le module Orva ne peut pas lire.
Veuillez donner %3 sans ce caractère.</translation>
    </message>
    <message>
        <source>The value remembered as %1 has %2 characters, more than the %3 that the field takes.
Please give a shorter one with %4.</source>
        <translation>La valeur enregistrée sous %1 compte %2 caractères, plus que les %3 que le champ accepte.
Veuillez en donner une plus courte avec %4.</translation>
    </message>
    <message>
        <source>Text too long</source>
        <translation>Texte trop long</translation>
    </message>
    <message>
        <source>The field &quot;%1&quot; holds %2 characters, more than the %3 it takes.
Please shorten it.</source>
        <translation>Le champ « %1 » contient %2 caractères, plus que les %3 qu’il accepte.
Veuillez le raccourcir.</translation>
    </message>
    <message>
        <source>On the card: %1, written %2, for another server (%3).</source>
        <translation>Sur la carte : %1, écrit le %2, pour un autre serveur (%3).</translation>
    </message>
    <message>
        <source>On the card: %1 %2, written %3, for another server (%4).</source>
        <translation>Sur la carte : %1 %2, écrit le %3, pour un autre serveur (%4).</translation>
    </message>
    <message>
        <source>%1... (%2 characters in all)</source>
        <translation>%1... (%2 caractères en tout)</translation>
    </message>
    <message>
        <source>%1: the file holds %2 characters, the field takes %3. The form holds the first %3 and writes %4.</source>
        <translation>%1 : le fichier contient %2 caractères, le champ en accepte %3. Le formulaire garde les %3 premiers et écrit %4.</translation>
    </message>
    <message>
        <source>%1: the file holds %2 characters, the field takes %3. The form holds the first %3, %4, which &quot;Generate&quot; refuses as they stand.</source>
        <translation>%1 : le fichier contient %2 caractères, le champ en accepte %3. Le formulaire garde les %3 premiers, %4, que « Générer » refuse tels quels.</translation>
    </message>
    <message>
        <source>%1: the file holds %2, the form writes %3.</source>
        <translation>%1 : le fichier contient %2, le formulaire écrit %3.</translation>
    </message>
    <message>
        <source>The form was filled from %1, but it would not write everything as the file holds it:</source>
        <translation>Le formulaire a été rempli à partir de %1, mais il n’écrirait pas tout tel que le fichier le contient :</translation>
    </message>
    <message>
        <source>The file is written for another server, %1, perhaps by another release. The form writes this tool&apos;s server, %2.</source>
        <translation>Le fichier est écrit pour un autre serveur, %1, peut-être par une autre version. Le formulaire écrit le serveur de cet outil, %2.</translation>
    </message>
    <message>
        <source>Please check the form before you press &quot;Generate&quot;.</source>
        <translation>Veuillez vérifier le formulaire avant d’appuyer sur « Générer ».</translation>
    </message>
    <message>
        <source>Form filled with changes</source>
        <translation>Formulaire rempli avec des changements</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Périphérique : %1</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>n° de série %1</translation>
    </message>
    <message>
        <source>Show the pass&amp;word</source>
        <translation>Afficher le m&amp;ot de passe</translation>
    </message>
    <message>
        <source>S&amp;how the PIN code</source>
        <translation>Affich&amp;er le code PIN</translation>
    </message>
    <message>
        <source>No card chosen: put in an SD card.</source>
        <translation>Aucune carte choisie : insérez une carte SD.</translation>
    </message>
    <message>
        <source>Read only: %1</source>
        <translation>En lecture seule : %1</translation>
    </message>
    <message>
        <source>the card %1</source>
        <translation>la carte %1</translation>
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
        <translation>Annuler le chargemen&amp;t</translation>
    </message>
    <message>
        <source>Put the form back as it was before the load (%1)</source>
        <translation>Remettre le formulaire tel qu&apos;il était avant le chargement (%1)</translation>
    </message>
    <message>
        <source>Not accepted: the PIN code has 4 to 6 digits.</source>
        <translation>Non accepté : le code PIN a 4 à 6 chiffres.</translation>
    </message>
    <message>
        <source>Not accepted: the user key has 6 letters (A-Z, a-z) or digits.</source>
        <translation>Non accepté : la clé utilisateur a 6 lettres (A-Z, a-z) ou chiffres.</translation>
    </message>
    <message>
        <source>Not accepted: the number needs the country code.
Accepted: %1</source>
        <translation>Non accepté : il manque l&apos;indicatif du pays.
Acceptés : %1</translation>
    </message>
    <message>
        <source>Not accepted: not a form the module reads.
Accepted: %1</source>
        <translation>Non accepté : pas une forme que le module lit.
Acceptés : %1</translation>
    </message>
    <message>
        <source>Not accepted: longer than the %1 characters it takes.</source>
        <translation>Non accepté : plus long que les %1 caractères que le champ accepte.</translation>
    </message>
    <message>
        <source>Not accepted: the module cannot read the character &quot;%1&quot;.</source>
        <translation>Non accepté : le module ne peut pas lire le caractère « %1 ».</translation>
    </message>
    <message>
        <source>Loaded: %1, nothing changed (from %2).</source>
        <translation>Chargé : %1, rien n&apos;a changé (depuis %2).</translation>
    </message>
    <message>
        <source>Loaded: %1, changed: %2 (from %3).</source>
        <translation>Chargé : %1, modifié : %2 (depuis %3).</translation>
    </message>
    <message>
        <source>%1 in the preset &quot;%2&quot;</source>
        <translation>%1 dans le préréglage « %2 »</translation>
    </message>
    <message>
        <source>ORVA presets (*.%1)</source>
        <translation>Préréglages ORVA (*.%1)</translation>
    </message>
    <message>
        <source>&amp;Save as...</source>
        <translation>&amp;Enregistrer sous...</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Renommer...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importer...</translation>
    </message>
    <message>
        <source>The presets cannot be read: %1</source>
        <translation>Les préréglages ne peuvent pas être lus : %1</translation>
    </message>
    <message>
        <source>The presets cannot be saved: %1</source>
        <translation>Les préréglages ne peuvent pas être enregistrés : %1</translation>
    </message>
    <message>
        <source>Preset not saved</source>
        <translation>Préréglage non enregistré</translation>
    </message>
    <message>
        <source>Replace preset</source>
        <translation>Remplacer le préréglage</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already. Replace it with the form?</source>
        <translation>Il existe déjà un préréglage nommé « %1 ». Le remplacer par le formulaire ?</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Remplacer</translation>
    </message>
    <message>
        <source>Preset not used</source>
        <translation>Préréglage non utilisé</translation>
    </message>
    <message>
        <source>Preset not renamed</source>
        <translation>Préréglage non renommé</translation>
    </message>
    <message>
        <source>Preset not deleted</source>
        <translation>Préréglage non supprimé</translation>
    </message>
    <message>
        <source>Preset not exported</source>
        <translation>Préréglage non exporté</translation>
    </message>
    <message>
        <source>The drive that holds it does not respond.</source>
        <translation>Le lecteur qui le contient ne répond pas.</translation>
    </message>
    <message>
        <source>The preset could not be written to %1.</source>
        <translation>Le préréglage n’a pas pu être écrit dans %1.</translation>
    </message>
    <message>
        <source>Preset not imported</source>
        <translation>Préréglage non importé</translation>
    </message>
    <message>
        <source>No preset could be taken from %1.</source>
        <translation>Aucun préréglage n’a pu être repris de %1.</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already. Replace it with the one of %2?</source>
        <translation>Il existe déjà un préréglage nommé « %1 ». Le remplacer par celui de %2 ?</translation>
    </message>
    <message>
        <source>Save as preset</source>
        <translation>Enregistrer comme préréglage</translation>
    </message>
    <message>
        <source>Name of the preset (a site, a customer):</source>
        <translation>Nom du préréglage (un site, un client) :</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Renommer le préréglage</translation>
    </message>
    <message>
        <source>New name of the preset &quot;%1&quot;:</source>
        <translation>Nouveau nom du préréglage « %1 » :</translation>
    </message>
    <message>
        <source>Delete preset</source>
        <translation>Supprimer le préréglage</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Supprimer le préréglage « %1 » ?</translation>
    </message>
    <message>
        <source>Export preset</source>
        <translation>Exporter le préréglage</translation>
    </message>
    <message>
        <source>Import preset</source>
        <translation>Importer le préréglage</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>It is far too large for a preset.</source>
        <translation>Il est bien trop grand pour un préréglage.</translation>
    </message>
    <message>
        <source>It is not a preset of ORVA Configurator.</source>
        <translation>Ce n’est pas un préréglage d’ORVA Configurator.</translation>
    </message>
    <message>
        <source>It was written by a newer ORVA Configurator; please update this one.</source>
        <translation>Il a été écrit par un ORVA Configurator plus récent ; veuillez mettre celui-ci à jour.</translation>
    </message>
    <message>
        <source>Its mode is none of the module&apos;s.</source>
        <translation>Son mode n’est aucun de ceux du module.</translation>
    </message>
    <message>
        <source>It holds &quot;%1&quot;, which a preset of its mode does not hold.</source>
        <translation>Il contient « %1 », qu’un préréglage de son mode ne contient pas.</translation>
    </message>
    <message>
        <source>Its value of &quot;%1&quot; is not of the kind that the form keeps there.</source>
        <translation>Sa valeur de « %1 » n’est pas du type que le formulaire y conserve.</translation>
    </message>
    <message>
        <source>A preset needs a name.</source>
        <translation>Un préréglage a besoin d’un nom.</translation>
    </message>
    <message>
        <source>A preset&apos;s name has at most %1 characters.</source>
        <translation>Le nom d’un préréglage compte au plus %1 caractères.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; holds a control character; please type it without.</source>
        <translation>Le nom « %1 » contient un caractère de contrôle ; veuillez le saisir sans.</translation>
    </message>
    <message>
        <source>There is a preset called &quot;%1&quot; already.</source>
        <translation>Il existe déjà un préréglage nommé « %1 ».</translation>
    </message>
    <message>
        <source>There is no preset called &quot;%1&quot;.</source>
        <translation>Il n’existe aucun préréglage nommé « %1 ».</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; holds a value that the form cannot hold:</source>
        <translation>Le préréglage « %1 » contient une valeur que le formulaire ne peut pas accepter :</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; cannot be read: %2</source>
        <translation>Le préréglage « %1 » ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The presets could not be saved in %1.</source>
        <translation>Les préréglages n’ont pas pu être enregistrés dans %1.</translation>
    </message>
    <message>
        <source>Presets: fill the form from one; save the form as one, rename, delete, export or import one</source>
        <translation>Préréglages : remplir le formulaire depuis l’un d’eux ; enregistrer le formulaire comme préréglage, en renommer, supprimer, exporter ou importer un</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Prepare each card pu&amp;t in</source>
        <translation>Pr&amp;éparer chaque carte insérée</translation>
    </message>
    <message>
        <source>Every card put in from now on is prepared with this form, without a click. Cards that hold a GSM or LAN identifier are kept as they are.</source>
        <translation>Chaque carte insérée à partir de maintenant est préparée avec ce formulaire, sans clic. Les cartes qui portent un identifiant GSM ou LAN restent telles quelles.</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>sans limite</translation>
    </message>
    <message>
        <source>Stop after this many cards were prepared</source>
        <translation>Arrêter après ce nombre de cartes préparées</translation>
    </message>
    <message>
        <source>Prepared: %1, refused: %2</source>
        <translation>Préparées : %1, refusées : %2</translation>
    </message>
    <message>
        <source>Cards not followed</source>
        <translation>Cartes non suivies</translation>
    </message>
    <message>
        <source>This system tells nothing of cards put in: prepare each card with &quot;Generate&quot;.</source>
        <translation>Ce système ne signale pas les cartes insérées : préparez chaque carte avec « Générer ».</translation>
    </message>
    <message>
        <source>Cards of this run</source>
        <translation>Cartes de cette série</translation>
    </message>
    <message>
        <source>Record of prepared cards: %1</source>
        <translation>Registre des cartes préparées : %1</translation>
    </message>
    <message>
        <source>Open the &amp;record</source>
        <translation>Ouvrir le &amp;registre</translation>
    </message>
    <message>
        <source>Identifiers of this run: none yet</source>
        <translation>Identifiants de cette série : aucun pour l&apos;instant</translation>
    </message>
    <message>
        <source>Open the &amp;identifiers</source>
        <translation>Ouvrir les &amp;identifiants</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>&amp;Copy the identifier</source>
        <translation>&amp;Copier l&apos;identifiant</translation>
    </message>
    <message>
        <source>may be removed</source>
        <translation>peut être retirée</translation>
    </message>
    <message>
        <source>written, not ejected: eject it before you take it out</source>
        <translation>écrite, non éjectée : éjectez-la avant de la retirer</translation>
    </message>
    <message>
        <source>written, not ejected (%1): eject it before you take it out</source>
        <translation>écrite, non éjectée (%1) : éjectez-la avant de la retirer</translation>
    </message>
    <message>
        <source>kept: %1</source>
        <translation>conservée : %1</translation>
    </message>
    <message>
        <source>already prepared in this run: %1</source>
        <translation>déjà préparée dans cette série : %1</translation>
    </message>
    <message>
        <source>read only</source>
        <translation>en lecture seule</translation>
    </message>
    <message>
        <source>full</source>
        <translation>pleine</translation>
    </message>
    <message>
        <source>does not respond</source>
        <translation>ne répond pas</translation>
    </message>
    <message>
        <source>not prepared: %1</source>
        <translation>non préparée : %1</translation>
    </message>
    <message>
        <source>Card prepared: it may be removed</source>
        <translation>Carte préparée : elle peut être retirée</translation>
    </message>
    <message>
        <source>Card prepared: eject it first</source>
        <translation>Carte préparée : éjectez-la d&apos;abord</translation>
    </message>
    <message>
        <source>Card not prepared: it may be removed</source>
        <translation>Carte non préparée : elle peut être retirée</translation>
    </message>
    <message>
        <source>Card not prepared</source>
        <translation>Carte non préparée</translation>
    </message>
    <message>
        <source>Alt+J</source>
        <comment>shortcut of the button that opens the presets menu</comment>
        <translation>Alt+K</translation>
    </message>
    <message>
        <source>preset &quot;%1&quot;</source>
        <translation>le préréglage « %1 »</translation>
    </message>
    <message>
        <source>New identifier</source>
        <translation>Nouvel identifiant</translation>
    </message>
    <message>
        <source>Identifier kept</source>
        <translation>Identifiant conservé</translation>
    </message>
    <message>
        <source>Identifiers of this run: %1 new, %2 kept</source>
        <translation>Identifiants de cette série : %1 nouveaux, %2 conservés</translation>
    </message>
    <message>
        <source>%1; the GSM and LAN ones are in %2</source>
        <translation>%1 ; ceux GSM et LAN sont dans %2</translation>
    </message>
    <message>
        <source>in use by another writer</source>
        <translation>utilisée par un autre programme d&apos;écriture</translation>
    </message>
    <message>
        <source>%1; it may be removed</source>
        <translation>%1 ; elle peut être retirée</translation>
    </message>
    <message>
        <source>%1; eject it before you take it out</source>
        <translation>%1 ; éjectez-la avant de la retirer</translation>
    </message>
    <message>
        <source>Open the portal</source>
        <translation>Ouvrir le portail</translation>
    </message>
    <message>
        <source>

The file &quot;%1&quot; holds it: %2</source>
        <translation>

Le fichier « %1 » le contient : %2</translation>
    </message>
    <message>
        <source>The remembered mode %1 is none of the module&apos;s: the form starts in %2.</source>
        <translation>Le mode mémorisé %1 n’est aucun de ceux du module : le formulaire commence en %2.</translation>
    </message>
    <message>
        <source>There are %1 presets already, as many as the list holds.</source>
        <translation>Il y a déjà %1 préréglages, autant que la liste peut en contenir.</translation>
    </message>
    <message>
        <source>left alone: holds other files</source>
        <translation>laissée telle quelle : contient d’autres fichiers</translation>
    </message>
    <message>
        <source>its folders cannot be read</source>
        <translation>ses dossiers sont illisibles</translation>
    </message>
    <message>
        <source>Every card put in gets the values shown. To change them, stop the series.</source>
        <translation>Chaque carte insérée reçoit les valeurs affichées. Pour les modifier, arrêtez la série.</translation>
    </message>
    <message>
        <source>Card readers of the series:</source>
        <translation>Lecteurs de cartes de la série :</translation>
    </message>
    <message>
        <source>Untick to leave the cards put in it alone</source>
        <translation>Décocher pour laisser telles quelles les cartes insérées ici</translation>
    </message>
    <message>
        <source>SD Card is Full</source>
        <translation>Carte SD pleine</translation>
    </message>
    <message>
        <source>The SD card has no room for the file.
Please free some space on it.</source>
        <translation>La carte SD n’a plus de place pour le fichier.
Veuillez y libérer de l’espace.</translation>
    </message>
    <message>
        <source>SD Card Removed</source>
        <translation>Carte SD retirée</translation>
    </message>
    <message>
        <source>The SD card was removed.
Please insert it and try again.</source>
        <translation>La carte SD a été retirée.
Veuillez l’insérer et réessayer.</translation>
    </message>
    <message>
        <source>Values per card: none</source>
        <translation>Valeurs par carte : aucune</translation>
    </message>
    <message>
        <source>&amp;Values per card…</source>
        <translation>&amp;Valeurs par carte…</translation>
    </message>
    <message>
        <source>A CSV list: each card prepared gets the next row&apos;s values, the form gives the rest</source>
        <translation>Une liste CSV : chaque carte préparée reçoit les valeurs de la ligne suivante, le formulaire le reste</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Copy the &amp;new identifiers</source>
        <translation>Copier les &amp;nouveaux identifiants</translation>
    </message>
    <message>
        <source>&amp;Save the list…</source>
        <translation>&amp;Enregistrer la liste…</translation>
    </message>
    <message>
        <source>Save the list of this run</source>
        <translation>Enregistrer la liste de cette série</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2</source>
        <translation>La liste n&apos;a pas pu être enregistrée dans %1 : %2</translation>
    </message>
    <message>
        <source>Values per card</source>
        <translation>Valeurs par carte</translation>
    </message>
    <message>
        <source>Values per card: %1, %2 rows, from the next series on</source>
        <translation>Valeurs par carte : %1, %2 lignes, dès la prochaine série</translation>
    </message>
    <message>
        <source>a row that a card in hand gives back</source>
        <translation>une ligne qu&apos;une carte en cours rend</translation>
    </message>
    <message>
        <source>Values per card: %1; the next card gets %2</source>
        <translation>Valeurs par carte : %1 ; la prochaine carte reçoit %2</translation>
    </message>
    <message>
        <source>The next card put in gets the values shown, %1 of %2. To change them, stop the series.</source>
        <translation>La prochaine carte insérée reçoit les valeurs affichées, %1 de %2. Pour les modifier, arrêtez la série.</translation>
    </message>
    <message>
        <source>wait until the cards being prepared have ended</source>
        <translation>attendez que les cartes en cours soient terminées</translation>
    </message>
    <message>
        <source>every row of the values per card was used</source>
        <translation>chaque ligne des valeurs par carte a été utilisée</translation>
    </message>
    <message>
        <source>%1 is not used in the mode %2</source>
        <translation>%1 n&apos;est pas utilisé dans le mode %2</translation>
    </message>
    <message>
        <source>the site is longer than %1 characters</source>
        <translation>le site dépasse %1 caractères</translation>
    </message>
    <message>
        <source>the site holds a control character</source>
        <translation>le site contient un caractère de contrôle</translation>
    </message>
    <message>
        <source>the row is longer than %1 bytes</source>
        <translation>la ligne dépasse %1 octets</translation>
    </message>
    <message>
        <source>the text is not UTF-8: save the list as &quot;CSV UTF-8&quot;</source>
        <translation>le texte n&apos;est pas en UTF-8 : enregistrez la liste en &quot;CSV UTF-8&quot;</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is no field of the form; the columns are %2</source>
        <translation>la colonne &quot;%1&quot; n&apos;est pas un champ du formulaire ; les colonnes sont %2</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is named twice</source>
        <translation>la colonne &quot;%1&quot; est nommée deux fois</translation>
    </message>
    <message>
        <source>the list holds more than %1 rows</source>
        <translation>la liste a plus de %1 lignes</translation>
    </message>
    <message>
        <source>a quote is not closed</source>
        <translation>un guillemet n&apos;est pas fermé</translation>
    </message>
    <message>
        <source>the row has %1 values, the header names %2 columns</source>
        <translation>la ligne a %1 valeurs, l&apos;en-tête nomme %2 colonnes</translation>
    </message>
    <message>
        <source>the list holds no row under its header</source>
        <translation>la liste n&apos;a aucune ligne sous son en-tête</translation>
    </message>
    <message>
        <source>It is larger than a list of %1 rows can be.</source>
        <translation>Il est plus grand qu&apos;une liste de %1 lignes ne peut l&apos;être.</translation>
    </message>
    <message>
        <source>The values per card in %1 cannot be used: %2</source>
        <translation>Les valeurs par carte de %1 ne peuvent pas être utilisées : %2</translation>
    </message>
    <message>
        <source>The values per card in %1 cannot be used: line %2: %3</source>
        <translation>Les valeurs par carte de %1 ne peuvent pas être utilisées : ligne %2 : %3</translation>
    </message>
    <message>
        <source>Every row of the values per card was used (%1): the series stopped.</source>
        <translation>Chaque ligne des valeurs par carte a été utilisée (%1) : la série s&apos;est arrêtée.</translation>
    </message>
    <message>
        <source>row %1 of %2</source>
        <translation>ligne %1 sur %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Labels…</source>
        <translation>Étiquettes…</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Étiquettes</translation>
    </message>
    <message>
        <source>No GSM or LAN card was prepared in this run: there is no identifier to put on a label.</source>
        <translation>Aucune carte GSM ou LAN n&apos;a été préparée dans cette série : il n&apos;y a pas d&apos;identifiant à mettre sur une étiquette.</translation>
    </message>
    <message>
        <source>A4 sheet, 3 × 8 labels (*.pdf)</source>
        <translation>Planche A4, 3 × 8 étiquettes (*.pdf)</translation>
    </message>
    <message>
        <source>62 mm label printer (*.pdf)</source>
        <translation>Imprimante d&apos;étiquettes 62 mm (*.pdf)</translation>
    </message>
    <message>
        <source>Save the labels</source>
        <translation>Enregistrer les étiquettes</translation>
    </message>
    <message>
        <source>The labels could not be saved in %1:
%2</source>
        <translation>Les étiquettes n&apos;ont pas pu être enregistrées dans %1 :
%2</translation>
    </message>
    <message>
        <source>&amp;Labels…</source>
        <translation>É&amp;tiquettes…</translation>
    </message>
</context>
</TS>
