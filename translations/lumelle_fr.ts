<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>lumelle::HelpText</name>
    <message>
        <source>All Done !!! Important Note:</source>
        <translation>Terminé !!! Remarque importante :</translation>
    </message>
    <message>
        <source>Some DVD Devices might want an VTS_01_0.IFO file in order to get correct colors</source>
        <translation>Certains lecteurs DVD ont besoin d&apos;un fichier VTS_01_0.IFO pour afficher les bonnes couleurs</translation>
    </message>
    <message>
        <source>Just Download VTS_01_0.IFO load it on Ifoedit and press VTS_PGCITI and then VTS_PGC1.</source>
        <translation>Téléchargez VTS_01_0.IFO, ouvrez-le dans IfoEdit et choisissez VTS_PGCITI puis VTS_PGC1.</translation>
    </message>
    <message>
        <source>Then find the Color %1 Y Cr CB ,doubleclick it, and put the value: %2</source>
        <translation>Cherchez ensuite Color %1 Y Cr CB, double-cliquez dessus et entrez la valeur : %2</translation>
    </message>
    <message>
        <source>Then press save. Thats all.</source>
        <translation>Enregistrez ensuite. C&apos;est tout.</translation>
    </message>
    <message>
        <source>Generated Files:</source>
        <translation>Fichiers générés :</translation>
    </message>
    <message>
        <source>Download Ifo File Here: %1</source>
        <translation>Télécharger le fichier IFO ici : %1</translation>
    </message>
    <message>
        <source>If you want to MUX more vobsubs into one file (multilanguage vobsubs) then use Kestrabind: %1</source>
        <translation>Pour réunir plusieurs VobSub dans un seul fichier (VobSub multilingues), utilisez Kestrabind : %1</translation>
    </message>
</context>
<context>
    <name>lumelle::Languages</name>
    <message>
        <source>ABKHAZIAN</source>
        <translation>ABKHAZE</translation>
    </message>
    <message>
        <source>AFAN (OROMO)</source>
        <translation>AFAN (OROMO)</translation>
    </message>
    <message>
        <source>AFAR</source>
        <translation>AFAR</translation>
    </message>
    <message>
        <source>AFRIKAANS</source>
        <translation>AFRIKAANS</translation>
    </message>
    <message>
        <source>ALBANIAN</source>
        <translation>ALBANAIS</translation>
    </message>
    <message>
        <source>AMHARIC</source>
        <translation>AMHARIQUE</translation>
    </message>
    <message>
        <source>ARABIC</source>
        <translation>ARABE</translation>
    </message>
    <message>
        <source>ARMENIAN</source>
        <translation>ARMÉNIEN</translation>
    </message>
    <message>
        <source>ASSAMESE</source>
        <translation>ASSAMAIS</translation>
    </message>
    <message>
        <source>AYMARA</source>
        <translation>AYMARA</translation>
    </message>
    <message>
        <source>AZERBAIJANI</source>
        <translation>AZERBAÏDJANAIS</translation>
    </message>
    <message>
        <source>BASHKIR</source>
        <translation>BACHKIR</translation>
    </message>
    <message>
        <source>BASQUE</source>
        <translation>BASQUE</translation>
    </message>
    <message>
        <source>BENGALI,BANGLA</source>
        <translation>BENGALI,BANGLA</translation>
    </message>
    <message>
        <source>BHUTANI</source>
        <translation>BHOUTANAIS</translation>
    </message>
    <message>
        <source>BIHARI</source>
        <translation>BIHARI</translation>
    </message>
    <message>
        <source>BISLAMA</source>
        <translation>BICHELAMAR</translation>
    </message>
    <message>
        <source>BRETON</source>
        <translation>BRETON</translation>
    </message>
    <message>
        <source>BULGARIAN</source>
        <translation>BULGARE</translation>
    </message>
    <message>
        <source>BURMESE</source>
        <translation>BIRMAN</translation>
    </message>
    <message>
        <source>BYELORUSSIAN</source>
        <translation>BIÉLORUSSE</translation>
    </message>
    <message>
        <source>CAMBODIAN</source>
        <translation>CAMBODGIEN</translation>
    </message>
    <message>
        <source>CATALAN</source>
        <translation>CATALAN</translation>
    </message>
    <message>
        <source>CHINESE</source>
        <translation>CHINOIS</translation>
    </message>
    <message>
        <source>CORSICAN</source>
        <translation>CORSE</translation>
    </message>
    <message>
        <source>CROATIAN</source>
        <translation>CROATE</translation>
    </message>
    <message>
        <source>CZECH</source>
        <translation>TCHÈQUE</translation>
    </message>
    <message>
        <source>DANISH</source>
        <translation>DANOIS</translation>
    </message>
    <message>
        <source>DUTCH</source>
        <translation>NÉERLANDAIS</translation>
    </message>
    <message>
        <source>ENGLISH</source>
        <translation>ANGLAIS</translation>
    </message>
    <message>
        <source>ESPERANTO</source>
        <translation>ESPÉRANTO</translation>
    </message>
    <message>
        <source>ESTONIAN</source>
        <translation>ESTONIEN</translation>
    </message>
    <message>
        <source>FAROESE</source>
        <translation>FÉROÏEN</translation>
    </message>
    <message>
        <source>FIJI</source>
        <translation>FIDJIEN</translation>
    </message>
    <message>
        <source>FINNISH</source>
        <translation>FINNOIS</translation>
    </message>
    <message>
        <source>FRENCH</source>
        <translation>FRANÇAIS</translation>
    </message>
    <message>
        <source>FRISIAN</source>
        <translation>FRISON</translation>
    </message>
    <message>
        <source>FUROM</source>
        <translation>FUROM</translation>
    </message>
    <message>
        <source>GALICIAN</source>
        <translation>GALICIEN</translation>
    </message>
    <message>
        <source>GEORGIAN</source>
        <translation>GÉORGIEN</translation>
    </message>
    <message>
        <source>GERMAN</source>
        <translation>ALLEMAND</translation>
    </message>
    <message>
        <source>GREEK</source>
        <translation>GREC</translation>
    </message>
    <message>
        <source>GREENLANDIC</source>
        <translation>GROENLANDAIS</translation>
    </message>
    <message>
        <source>GUARANI</source>
        <translation>GUARANI</translation>
    </message>
    <message>
        <source>GUJARATI</source>
        <translation>GUJARATI</translation>
    </message>
    <message>
        <source>HAUSA</source>
        <translation>HAOUSSA</translation>
    </message>
    <message>
        <source>HEBREW</source>
        <translation>HÉBREU</translation>
    </message>
    <message>
        <source>HINDI</source>
        <translation>HINDI</translation>
    </message>
    <message>
        <source>HUNGARIAN</source>
        <translation>HONGROIS</translation>
    </message>
    <message>
        <source>ICELANDIC</source>
        <translation>ISLANDAIS</translation>
    </message>
    <message>
        <source>INDONESIAN</source>
        <translation>INDONÉSIEN</translation>
    </message>
    <message>
        <source>INTERLINGUA</source>
        <translation>INTERLINGUA</translation>
    </message>
    <message>
        <source>INTERLINGUE</source>
        <translation>INTERLINGUE</translation>
    </message>
    <message>
        <source>INUPIAK</source>
        <translation>INUPIAK</translation>
    </message>
    <message>
        <source>IRISH</source>
        <translation>IRLANDAIS</translation>
    </message>
    <message>
        <source>ITALIAN</source>
        <translation>ITALIEN</translation>
    </message>
    <message>
        <source>JAPANESE</source>
        <translation>JAPONAIS</translation>
    </message>
    <message>
        <source>JAVANESE</source>
        <translation>JAVANAIS</translation>
    </message>
    <message>
        <source>KANNADA</source>
        <translation>KANNADA</translation>
    </message>
    <message>
        <source>KASHMIRI</source>
        <translation>CACHEMIRI</translation>
    </message>
    <message>
        <source>KAZAKH</source>
        <translation>KAZAKH</translation>
    </message>
    <message>
        <source>KINYARWANDA</source>
        <translation>KINYARWANDA</translation>
    </message>
    <message>
        <source>KIRGHIZ</source>
        <translation>KIRGHIZE</translation>
    </message>
    <message>
        <source>KURUNDI</source>
        <translation>KIRUNDI</translation>
    </message>
    <message>
        <source>KOREAN</source>
        <translation>CORÉEN</translation>
    </message>
    <message>
        <source>KURDISH</source>
        <translation>KURDE</translation>
    </message>
    <message>
        <source>LAOTHIAN</source>
        <translation>LAO</translation>
    </message>
    <message>
        <source>LATIN</source>
        <translation>LATIN</translation>
    </message>
    <message>
        <source>LATVIAN,LETTISH</source>
        <translation>LETTON</translation>
    </message>
    <message>
        <source>LINGALA</source>
        <translation>LINGALA</translation>
    </message>
    <message>
        <source>LITHUANIAN</source>
        <translation>LITUANIEN</translation>
    </message>
    <message>
        <source>MALAGASY</source>
        <translation>MALGACHE</translation>
    </message>
    <message>
        <source>MS</source>
        <translation>MS</translation>
    </message>
    <message>
        <source>MALAYALAM</source>
        <translation>MALAYALAM</translation>
    </message>
    <message>
        <source>MALTESE</source>
        <translation>MALTAIS</translation>
    </message>
    <message>
        <source>MAORI</source>
        <translation>MAORI</translation>
    </message>
    <message>
        <source>MARATHI</source>
        <translation>MARATHI</translation>
    </message>
    <message>
        <source>MOLDAVIAN</source>
        <translation>MOLDAVE</translation>
    </message>
    <message>
        <source>MONGOLIAN</source>
        <translation>MONGOL</translation>
    </message>
    <message>
        <source>NAURU</source>
        <translation>NAURUAN</translation>
    </message>
    <message>
        <source>NEPALI</source>
        <translation>NÉPALAIS</translation>
    </message>
    <message>
        <source>NORWEGIAN</source>
        <translation>NORVÉGIEN</translation>
    </message>
    <message>
        <source>OCCITAN</source>
        <translation>OCCITAN</translation>
    </message>
    <message>
        <source>ORIYA</source>
        <translation>ORIYA</translation>
    </message>
    <message>
        <source>PASHTO,PUSHTO</source>
        <translation>PACHTO</translation>
    </message>
    <message>
        <source>PERSIAN (farsi)</source>
        <translation>PERSAN (farsi)</translation>
    </message>
    <message>
        <source>POLISH</source>
        <translation>POLONAIS</translation>
    </message>
    <message>
        <source>PORTUGUESE</source>
        <translation>PORTUGAIS</translation>
    </message>
    <message>
        <source>PUNJABI</source>
        <translation>PENDJABI</translation>
    </message>
    <message>
        <source>QUECHUA</source>
        <translation>QUECHUA</translation>
    </message>
    <message>
        <source>RHAETO-ROMANCE</source>
        <translation>RHÉTO-ROMAN</translation>
    </message>
    <message>
        <source>ROMANIAN</source>
        <translation>ROUMAIN</translation>
    </message>
    <message>
        <source>RUSSIAN</source>
        <translation>RUSSE</translation>
    </message>
    <message>
        <source>SAMOAN</source>
        <translation>SAMOAN</translation>
    </message>
    <message>
        <source>SANGHO</source>
        <translation>SANGO</translation>
    </message>
    <message>
        <source>SANSKRIT</source>
        <translation>SANSKRIT</translation>
    </message>
    <message>
        <source>SCOTS</source>
        <translation>SCOTS</translation>
    </message>
    <message>
        <source>SERBIAN</source>
        <translation>SERBE</translation>
    </message>
    <message>
        <source>SERBO-CROATIAN</source>
        <translation>SERBO-CROATE</translation>
    </message>
    <message>
        <source>SESOTHO</source>
        <translation>SESOTHO</translation>
    </message>
    <message>
        <source>SETSWANA</source>
        <translation>SETSWANA</translation>
    </message>
    <message>
        <source>SHONA</source>
        <translation>SHONA</translation>
    </message>
    <message>
        <source>SINDHI</source>
        <translation>SINDHI</translation>
    </message>
    <message>
        <source>SINGHALESE</source>
        <translation>CINGHALAIS</translation>
    </message>
    <message>
        <source>SISWATI</source>
        <translation>SISWATI</translation>
    </message>
    <message>
        <source>SLOVAK</source>
        <translation>SLOVAQUE</translation>
    </message>
    <message>
        <source>SLOVENIAN</source>
        <translation>SLOVÈNE</translation>
    </message>
    <message>
        <source>SOMALI</source>
        <translation>SOMALI</translation>
    </message>
    <message>
        <source>SPANISH</source>
        <translation>ESPAGNOL</translation>
    </message>
    <message>
        <source>SUNDANESE</source>
        <translation>SOUNDANAIS</translation>
    </message>
    <message>
        <source>SWAHILI</source>
        <translation>SWAHILI</translation>
    </message>
    <message>
        <source>SWEDISH</source>
        <translation>SUÉDOIS</translation>
    </message>
    <message>
        <source>TAGALOG</source>
        <translation>TAGALOG</translation>
    </message>
    <message>
        <source>TAJIK</source>
        <translation>TADJIK</translation>
    </message>
    <message>
        <source>TAMIL</source>
        <translation>TAMOUL</translation>
    </message>
    <message>
        <source>TATAR</source>
        <translation>TATAR</translation>
    </message>
    <message>
        <source>TELUGU</source>
        <translation>TÉLOUGOU</translation>
    </message>
    <message>
        <source>THAI</source>
        <translation>THAÏ</translation>
    </message>
    <message>
        <source>TIBETAN</source>
        <translation>TIBÉTAIN</translation>
    </message>
    <message>
        <source>TIGRINYA</source>
        <translation>TIGRIGNA</translation>
    </message>
    <message>
        <source>TONGA</source>
        <translation>TONGIEN</translation>
    </message>
    <message>
        <source>TSONGA</source>
        <translation>TSONGA</translation>
    </message>
    <message>
        <source>TURKISH</source>
        <translation>TURC</translation>
    </message>
    <message>
        <source>TURKMEN</source>
        <translation>TURKMÈNE</translation>
    </message>
    <message>
        <source>TWI</source>
        <translation>TWI</translation>
    </message>
    <message>
        <source>UKRAINIAN</source>
        <translation>UKRAINIEN</translation>
    </message>
    <message>
        <source>URDU</source>
        <translation>OURDOU</translation>
    </message>
    <message>
        <source>UZBEK</source>
        <translation>OUZBEK</translation>
    </message>
    <message>
        <source>VIETNAMESE</source>
        <translation>VIETNAMIEN</translation>
    </message>
    <message>
        <source>VOLAPUK</source>
        <translation>VOLAPÜK</translation>
    </message>
    <message>
        <source>WELSH</source>
        <translation>GALLOIS</translation>
    </message>
    <message>
        <source>WOLOF</source>
        <translation>WOLOF</translation>
    </message>
    <message>
        <source>XHOSA</source>
        <translation>XHOSA</translation>
    </message>
    <message>
        <source>YIDDISH</source>
        <translation>YIDDISH</translation>
    </message>
    <message>
        <source>YORUBA</source>
        <translation>YORUBA</translation>
    </message>
    <message>
        <source>ZULU</source>
        <translation>ZOULOU</translation>
    </message>
</context>
<context>
    <name>lumelle::ListValues</name>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Bold+Italic</source>
        <translation>Gras+Italique</translation>
    </message>
    <message>
        <source>Bold+Under</source>
        <translation>Gras+Soul.</translation>
    </message>
    <message>
        <source>Bold+It+Und</source>
        <translation>Gras+It+Soul</translation>
    </message>
    <message>
        <source>Italic+Under</source>
        <translation>Italique+Soul.</translation>
    </message>
    <message>
        <source>StrikeOut</source>
        <translation>Barré</translation>
    </message>
    <message>
        <source>ARABIC</source>
        <translation>ARABE</translation>
    </message>
    <message>
        <source>BALTIC</source>
        <translation>BALTE</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>PAR DÉFAUT</translation>
    </message>
    <message>
        <source>EASTEUROPE</source>
        <translation>EUROPE DE L&apos;EST</translation>
    </message>
    <message>
        <source>GREEK</source>
        <translation>GREC</translation>
    </message>
    <message>
        <source>HEBREW</source>
        <translation>HÉBREU</translation>
    </message>
    <message>
        <source>RUSSIAN</source>
        <translation>RUSSE</translation>
    </message>
    <message>
        <source>SYMBOL</source>
        <translation>SYMBOLE</translation>
    </message>
    <message>
        <source>THAI</source>
        <translation>THAÏ</translation>
    </message>
    <message>
        <source>TURKISH</source>
        <translation>TURC</translation>
    </message>
    <message>
        <source>VIETNAMESE</source>
        <translation>VIETNAMIEN</translation>
    </message>
    <message>
        <source>center</source>
        <translation>centré</translation>
    </message>
    <message>
        <source>left</source>
        <translation>gauche</translation>
    </message>
    <message>
        <source>right</source>
        <translation>droite</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
</context>
<context>
    <name>lumelle::RunNotes</name>
    <message>
        <source>%1 The %2 was written as %3.</source>
        <translation>%1 Écrit à la place (%2) : %3.</translation>
    </message>
    <message>
        <source>%1 was left as it is: %2.</source>
        <translation>%1 a été laissé tel quel : %2.</translation>
    </message>
    <message>
        <source>it is an input or an earlier output of this run</source>
        <translation>c&apos;est une entrée ou une sortie antérieure de cette conversion</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>ce n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>it holds &quot;%1&quot;, which is not a file of the set</source>
        <translation>il contient « %1 », qui n&apos;est pas un fichier de l&apos;ensemble</translation>
    </message>
    <message>
        <source>it is not %1</source>
        <translation>ce n&apos;est pas %1</translation>
    </message>
    <message>
        <source>a help file of this program</source>
        <translation>un fichier d&apos;aide de ce programme</translation>
    </message>
    <message>
        <source>a VobSub file</source>
        <translation>un fichier VobSub</translation>
    </message>
    <message>
        <source>a DVD .sup file</source>
        <translation>un fichier .sup DVD</translation>
    </message>
    <message>
        <source>PNG picture</source>
        <translation>une image PNG</translation>
    </message>
    <message>
        <source>BDN XML file</source>
        <translation>un fichier XML BDN</translation>
    </message>
    <message>
        <source>Blu-ray PGS file</source>
        <translation>un fichier PGS Blu-ray</translation>
    </message>
    <message>
        <source>pair</source>
        <translation>paire</translation>
    </message>
    <message>
        <source>files</source>
        <translation>fichiers</translation>
    </message>
    <message>
        <source>.sup file</source>
        <translation>fichier .sup</translation>
    </message>
    <message>
        <source>index</source>
        <translation>index</translation>
    </message>
    <message>
        <source>file</source>
        <translation>fichier</translation>
    </message>
    <message>
        <source>Streams of this pair: %1. mkvmerge marks every stream default unless told: mkvmerge -o OUTPUT.mkv VIDEO%2 %3</source>
        <translation>Flux de cette paire : %1. mkvmerge marque chaque flux par défaut sauf indication contraire : mkvmerge -o OUTPUT.mkv VIDEO%2 %3</translation>
    </message>
    <message>
        <source>%1 (default)</source>
        <translation>%1 (par défaut)</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for more than one text colour in one picture and is drawn in one of them.</source>
        <translation>Le sous-titre %1 demande plus d&apos;une couleur de texte dans une image et est dessiné dans l&apos;une d&apos;elles.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for more than one text colour in one picture and are drawn in one of them.</source>
        <translation>Les sous-titres %1 demandent plus d&apos;une couleur de texte dans une image et sont dessinés dans l&apos;une d&apos;elles.</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for more text colours than a DVD picture can show (three inks: outline and two text colours) and is drawn in the nearest of them.</source>
        <translation>Le sous-titre %1 demande plus de couleurs de texte qu&apos;une image DVD ne peut en montrer (trois encres : contour et deux couleurs de texte) et est dessiné dans la plus proche d&apos;entre elles.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for more text colours than a DVD picture can show (three inks: outline and two text colours) and are drawn in the nearest of them.</source>
        <translation>Les sous-titres %1 demandent plus de couleurs de texte qu&apos;une image DVD ne peut en montrer (trois encres : contour et deux couleurs de texte) et sont dessinés dans la plus proche d&apos;entre elles.</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for colours beyond the 16 of the palette and is drawn in the nearest colour it holds.</source>
        <translation>Le sous-titre %1 demande des couleurs hors des 16 de la palette et est dessiné dans la couleur la plus proche qu&apos;elle contient.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for colours beyond the 16 of the palette and are drawn in the nearest colour it holds.</source>
        <translation>Les sous-titres %1 demandent des couleurs hors des 16 de la palette et sont dessinés dans la couleur la plus proche qu&apos;elle contient.</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 et %2 de plus</translation>
    </message>
    <message>
        <source>1 subtitle holds characters that no installed font can draw; they show as empty boxes. Install a font for their script (the README names the Debian packages):</source>
        <translation>1 sous-titre contient des caractères qu&apos;aucune police installée ne peut dessiner ; ils apparaissent comme des cases vides. Installez une police pour leur écriture (le README nomme les paquets Debian) :</translation>
    </message>
    <message>
        <source>%1 subtitles hold characters that no installed font can draw; they show as empty boxes. Install a font for their script (the README names the Debian packages):</source>
        <translation>%1 sous-titres contiennent des caractères qu&apos;aucune police installée ne peut dessiner ; ils apparaissent comme des cases vides. Installez une police pour leur écriture (le README nomme les paquets Debian) :</translation>
    </message>
    <message>
        <source>subtitle %1: %2</source>
        <translation>sous-titre %1 : %2</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... et %1 de plus.</translation>
    </message>
    <message>
        <source>Subtitle %1 is shown %2 ms after its start: a Blu-ray player needs that long to decode the first picture.</source>
        <translation>Le sous-titre %1 s&apos;affiche %2 ms après son début : un lecteur Blu-ray a besoin de ce temps pour décoder la première image.</translation>
    </message>
    <message>
        <source>%1 steps of animated subtitles are left out: a Blu-ray player could not decode them before they end.</source>
        <translation>%1 étapes de sous-titres animés sont omises : un lecteur Blu-ray ne pourrait pas les décoder avant leur fin.</translation>
    </message>
    <message>
        <source>%1 pictures are shown up to %2 ms after their start: a Blu-ray player needs the time to decode each after the one before.</source>
        <translation>%1 images s&apos;affichent jusqu&apos;à %2 ms après leur début : un lecteur Blu-ray a besoin de ce temps pour décoder chacune après la précédente.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
</context>
<context>
    <name>lumelle::LoadedPictures</name>
    <message>
        <source>forced</source>
        <translation>forcé</translation>
    </message>
</context>
<context>
    <name>lumelle::TForm1</name>
    <message>
        <source>Last VobSub pair written to %1</source>
        <translation>Dernière paire VobSub écrite dans %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>This desktop has no program that opens folders. The VobSub pair is in:<byte value="xd"/>%1</source>
        <translation>Ce bureau n&apos;a aucun programme pour ouvrir les dossiers. La paire VobSub se trouve dans :<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Output folder:</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>beside the subtitle file</source>
        <translation>à côté du fichier de sous-titres</translation>
    </message>
    <message>
        <source>Choose Folder...</source>
        <translation>Choisir...</translation>
    </message>
    <message>
        <source>Beside Subtitle</source>
        <translation>À côté</translation>
    </message>
    <message>
        <source>Choose the folder for the VobSub pair</source>
        <translation>Choisir le dossier de la paire VobSub</translation>
    </message>
    <message>
        <source>The folder name has a line break, which the settings file cannot keep. Please choose another folder.</source>
        <translation>Le nom du dossier contient un saut de ligne que le fichier de réglages ne peut pas conserver. Veuillez choisir un autre dossier.</translation>
    </message>
    <message>
        <source>The folder of the subtitle file cannot be written:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choose another folder for the VobSub pair?</source>
        <translation>Impossible d&apos;écrire dans le dossier du fichier de sous-titres :<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choisir un autre dossier pour la paire VobSub ?</translation>
    </message>
    <message>
        <source>The output folder cannot be written:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choose another folder for the VobSub pair?</source>
        <translation>Impossible d&apos;écrire dans le dossier de sortie :<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choisir un autre dossier pour la paire VobSub ?</translation>
    </message>
    <message>
        <source>Lumelle By Orvane</source>
        <translation>Lumelle par Orvane</translation>
    </message>
    <message>
        <source>Lumelle By Orvane Loading Subtitle...</source>
        <translation>Lumelle par Orvane – chargement des sous-titres...</translation>
    </message>
    <message>
        <source>Lumelle By Orvane Checking Subtitle Length...</source>
        <translation>Lumelle par Orvane – vérification de la longueur...</translation>
    </message>
    <message>
        <source>Generate Vobsub</source>
        <translation>Créer VobSub</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Interrompre</translation>
    </message>
    <message>
        <source>Load SRT</source>
        <translation>Charger SRT</translation>
    </message>
    <message>
        <source>Subtitle Style Modified/Loaded Successfully</source>
        <translation>Sous-titres chargés/style modifié avec succès</translation>
    </message>
    <message>
        <source>Load 720x576 PAL image</source>
        <translation>Charger une image PAL 720x576</translation>
    </message>
    <message>
        <source>Load your PAL 720x576 BMP|*.bmp</source>
        <translation>BMP PAL 720x576|*.bmp</translation>
    </message>
    <message>
        <source>Load 720x480 NTSC image</source>
        <translation>Charger une image NTSC 720x480</translation>
    </message>
    <message>
        <source>Load your NTSC 720x480 BMP|*.bmp</source>
        <translation>BMP NTSC 720x480|*.bmp</translation>
    </message>
    <message>
        <source>ProgressBar</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Load Srt,Sub</source>
        <translation>Charger Srt,Sub</translation>
    </message>
    <message>
        <source>Fps</source>
        <translation>Img/s</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Language </source>
        <translation>Langue </translation>
    </message>
    <message>
        <source>Render Fonts</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Font Charset</source>
        <translation>Jeu de car.</translation>
    </message>
    <message>
        <source>Font Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Align.</translation>
    </message>
    <message>
        <source>Offsets</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Contour</translation>
    </message>
    <message>
        <source>Wrap long lines</source>
        <translation>Couper les lignes longues</translation>
    </message>
    <message>
        <source>Break lines too wide for the frame at a space instead of refusing them</source>
        <translation>Couper à une espace les lignes trop larges pour l&apos;image au lieu de les refuser</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Antialias</source>
        <translation>Lissage</translation>
    </message>
    <message>
        <source>Outine</source>
        <translation>Contour</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Color Options</source>
        <translation>Options couleurs</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Réglages généraux</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Valeurs par</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>défaut</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Changer</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>images</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Not enough memory to finish this.</source>
        <translation>Pas assez de mémoire pour terminer.</translation>
    </message>
    <message>
        <source>This is subtitle %1.</source>
        <translation>C&apos;est le sous-titre %1.</translation>
    </message>
    <message>
        <source>Even with &quot;Wrap long lines&quot; a word of it is wider than the frame.</source>
        <translation>Même avec « Couper les lignes longues », un de ses mots est plus large que l&apos;image.</translation>
    </message>
    <message>
        <source>Tick &quot;Wrap long lines&quot; to break it at a space instead.</source>
        <translation>Cochez « Couper les lignes longues » pour la couper plutôt à une espace.</translation>
    </message>
    <message>
        <source>The subtitle is taller than the frame. Please use a smaller font size.</source>
        <translation>Le sous-titre est plus haut que l&apos;image. Veuillez choisir une taille de police plus petite.</translation>
    </message>
    <message>
        <source>Operation Aborted</source>
        <translation>Opération interrompue</translation>
    </message>
    <message>
        <source>Please load an Srt/Sub/Txt subtitle.</source>
        <translation>Veuillez charger des sous-titres Srt/Sub/Txt.</translation>
    </message>
    <message>
        <source>Please use smaller font.</source>
        <translation>Veuillez choisir une police plus petite.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>The styles of the ASS/SSA script decide this.</source>
        <translation>Les styles du script ASS/SSA en décident.</translation>
    </message>
    <message>
        <source>forced</source>
        <translation>forcés</translation>
    </message>
    <message>
        <source>loaded file</source>
        <translation>fichier chargé</translation>
    </message>
    <message>
        <source>Output Form and Languages</source>
        <translation>Forme de sortie et langues</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Écrire</translation>
    </message>
    <message>
        <source>Languages in the output</source>
        <translation>Langues dans la sortie</translation>
    </message>
    <message>
        <source>Each file becomes one subtitle stream; players choose the first one first.<byte value="xd"/>Delete removes the selected file.</source>
        <translation>Chaque fichier devient une piste de sous-titres ; les lecteurs choisissent d&apos;abord la première.<byte value="xd"/>Suppr retire le fichier choisi.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Forced</source>
        <translation>Forcés</translation>
    </message>
    <message>
        <source>Shown even when the viewer turned subtitles off (foreign dialogue, signs)</source>
        <translation>Affichés même quand le spectateur a désactivé les sous-titres (dialogues étrangers, panneaux)</translation>
    </message>
    <message>
        <source>Add File...</source>
        <translation>Ajouter...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Several languages need the VobSub pair: a .sup file holds one.</source>
        <translation>Plusieurs langues demandent la paire VobSub : un fichier .sup n&apos;en contient qu&apos;une.</translation>
    </message>
    <message>
        <source>WebVTT: rolling captions shown once</source>
        <translation>WebVTT : lignes déroulantes une fois</translation>
    </message>
    <message>
        <source>WebVTT captions typed as they are spoken repeat every line in the next cue: read them so that each line shows once</source>
        <translation>Les sous-titres WebVTT tapés au fil de la parole répètent chaque ligne dans le repère suivant : les lire pour que chaque ligne s&apos;affiche une fois</translation>
    </message>
    <message>
        <source>(no file loaded)</source>
        <translation>(aucun fichier chargé)</translation>
    </message>
    <message>
        <source>The loaded file&apos;s language is chosen in the Output group</source>
        <translation>La langue du fichier chargé se choisit dans le groupe Sortie</translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation>%1 est déjà dans la liste.</translation>
    </message>
    <message>
        <source>no subtitle in it</source>
        <translation>aucun sous-titre dedans</translation>
    </message>
    <message>
        <source>Add a subtitle file of another language</source>
        <translation>Ajouter un fichier de sous-titres d&apos;une autre langue</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds one language. Remove the added files or write the VobSub pair.</source>
        <translation>« %1 » ne contient qu&apos;une langue. Retirez les fichiers ajoutés ou écrivez la paire VobSub.</translation>
    </message>
    <message>
        <source>This is subtitle %1 of %2.</source>
        <translation>C&apos;est le sous-titre %1 de %2.</translation>
    </message>
    <message>
        <source>VobSub pair (.idx/.sub)</source>
        <translation>Paire VobSub (.idx/.sub)</translation>
    </message>
    <message>
        <source>DVD .sup (authoring programs)</source>
        <translation>DVD .sup (logiciels d&apos;authoring)</translation>
    </message>
    <message>
        <source>VobSub pair and DVD .sup</source>
        <translation>Paire VobSub et DVD .sup</translation>
    </message>
    <message>
        <source>BDN XML and PNG (Blu-ray authoring)</source>
        <translation>BDN XML et PNG (authoring Blu-ray)</translation>
    </message>
    <message numerus="yes">
        <source>Keep the %n subtitles written so far? The earlier pair will be replaced.</source>
        <translation>
            <numerusform>Garder le %n sous-titre déjà écrit ? La paire précédente sera remplacée.</numerusform>
            <numerusform>Garder les %n sous-titres déjà écrits ? La paire précédente sera remplacée.</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep the 1 subtitle written so far? The earlier pair will be replaced.</source>
        <translation>Garder le sous-titre déjà écrit ? La paire précédente sera remplacée.</translation>
    </message>
    <message>
        <source>This desktop has no program that opens folders. The subtitles are in:<byte value="xd"/>%1</source>
        <translation>Ce bureau n&apos;a aucun programme pour ouvrir les dossiers. Les sous-titres sont dans :<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>All done: 1 subtitle picture written, at %1 and %2 frames a second.</source>
        <translation>Terminé : 1 image de sous-titre écrite, en %1 à %2 images par seconde.</translation>
    </message>
    <message numerus="yes">
        <source>All done: %n subtitle pictures written, at %1 and %2 frames a second.</source>
        <translation>
            <numerusform>Terminé : %n image de sous-titre écrite, en %1 à %2 images par seconde.</numerusform>
            <numerusform>Terminé : %n images de sous-titres écrites, en %1 à %2 images par seconde.</numerusform>
        </translation>
    </message>
    <message>
        <source>Blu-ray frame</source>
        <translation>Taille Blu-ray</translation>
    </message>
    <message>
        <source>The frame size of the video the Blu-ray subtitles go with: they are drawn, checked and written at it</source>
        <translation>La taille d&apos;image de la vidéo des sous-titres Blu-ray : ils sont dessinés, vérifiés et écrits à cette taille</translation>
    </message>
    <message>
        <source>Blu-ray .sup (PGS)</source>
        <translation>Blu-ray .sup (PGS)</translation>
    </message>
    <message>
        <source>Blu-ray video has no %1x%2 picture at the frame rate %3. Choose a frame size and frame rate of Blu-ray video: %4.</source>
        <translation>La vidéo Blu-ray n&apos;a pas d&apos;image %1x%2 à la fréquence %3. Choisissez une taille et une fréquence d&apos;image de la vidéo Blu-ray : %4.</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>Files of more languages are added to a text subtitle only.</source>
        <translation>Les fichiers d&apos;autres langues ne s&apos;ajoutent qu&apos;à un sous-titre texte.</translation>
    </message>
    <message>
        <source>Some of this file could not be read; the rest is loaded:</source>
        <translation>Une partie de ce fichier n&apos;a pas pu être lue ; le reste est chargé :</translation>
    </message>
    <message>
        <source>(%1 more)</source>
        <translation>(%1 de plus)</translation>
    </message>
    <message>
        <source>No subtitle picture could be read from this file.</source>
        <translation>Aucune image de sous-titre n&apos;a pu être lue dans ce fichier.</translation>
    </message>
    <message>
        <source>This file holds %1 streams: %2. The window shows and writes stream %3, the one players pick first; lumelle-convert --stream-index N converts another, or every stream into one VobSub pair.</source>
        <translation>Ce fichier contient %1 flux : %2. La fenêtre affiche et écrit le flux %3, celui que les lecteurs choisissent d&apos;abord ; lumelle-convert --stream-index N en convertit un autre, ou tous les flux en une seule paire VobSub.</translation>
    </message>
    <message>
        <source>A picture subtitle is converted as its pictures are drawn: this does not apply to it.</source>
        <translation>Un sous-titre en images est converti tel que ses images sont dessinées : ceci ne s&apos;y applique pas.</translation>
    </message>
</context>
<context>
    <name>lumelle::TForm2</name>
    <message>
        <source>Lumelle convert&apos;s txt subtitles to Vobsubs (idx/sub) in order to put them in a Dvd Device Player.that supports vobsub subtitles.</source>
        <translation>Lumelle convertit les sous-titres texte en VobSub (idx/sub) pour les lire sur un lecteur DVD qui prend en charge les sous-titres VobSub.</translation>
    </message>
    <message>
        <source>The official site is : %1 .</source>
        <translation>Le site officiel est : %1 .</translation>
    </message>
    <message>
        <source>For any suggestions please visit our forums :  %1</source>
        <translation>Pour toute suggestion, visitez nos forums :  %1</translation>
    </message>
    <message>
        <source>Important Update : Lumelle is NOT a GUI anymore. From now on is an standalone application (its old companion program is not used now)</source>
        <translation>Mise à jour importante : Lumelle n&apos;est PLUS une interface graphique. C&apos;est désormais une application autonome (son ancien programme compagnon n&apos;est plus utilisé)</translation>
    </message>
    <message>
        <source>Usage : </source>
        <translation>Utilisation : </translation>
    </message>
    <message>
        <source>1) Just load your srt. At this time the program looks the width of every textual </source>
        <translation>1) Chargez simplement votre srt. Le programme vérifie alors la largeur de chaque </translation>
    </message>
    <message>
        <source>subtitle in order to fit it on the video screen.</source>
        <translation>sous-titre pour qu&apos;il tienne dans l&apos;image vidéo.</translation>
    </message>
    <message>
        <source>2) If the srt loads correctly then choose the correct fps and press &apos;Generate VobSub&apos;. </source>
        <translation>2) Si le srt se charge correctement, choisissez la bonne cadence et appuyez sur « Générer VobSub ». </translation>
    </message>
    <message>
        <source>Otherwise try to edit the srt or just pick a smaller font.</source>
        <translation>Sinon, modifiez le srt ou choisissez une police plus petite.</translation>
    </message>
    <message>
        <source>3) Further informations will be Generated in an txt file. Just read them !</source>
        <translation>3) D&apos;autres informations sont écrites dans un fichier txt. Lisez-les !</translation>
    </message>
    <message>
        <source>*Tip : If your vobsub file does not shows up at your movie all just </source>
        <translation>*Astuce : si votre VobSub ne s&apos;affiche pas du tout dans votre film, </translation>
    </message>
    <message>
        <source>try to move the subtitle upper</source>
        <translation>essayez de remonter le sous-titre</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Current version :</source>
        <translation>Version actuelle :</translation>
    </message>
    <message>
        <source>Special Thanks to:</source>
        <translation>Remerciements à :</translation>
    </message>
    <message>
        <source>The Qt Project, whose toolkit draws every window and letter</source>
        <translation>le projet Qt, dont la bibliothèque dessine fenêtres et lettres</translation>
    </message>
    <message>
        <source>FFmpeg and MKVToolNix, which read back every VobSub we make</source>
        <translation>FFmpeg et MKVToolNix, qui relisent chacun de nos VobSub</translation>
    </message>
    <message>
        <source>The DejaVu and Liberation fonts, the faces on our screens</source>
        <translation>les polices DejaVu et Liberation, les visages de nos écrans</translation>
    </message>
    <message>
        <source>Visit the official site %1</source>
        <translation>Visiter le site officiel %1</translation>
    </message>
    <message>
        <source>Check Version</source>
        <translation>Vérifier la version</translation>
    </message>
    <message>
        <source>Mux Vobsubs (Multilanguage support)</source>
        <translation>Multiplexer des VobSub (multilingue)</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Faire un don</translation>
    </message>
</context>
<context>
    <name>lumelle::TFormColorOptions</name>
    <message>
        <source>Color Options</source>
        <translation>Options couleurs</translation>
    </message>
    <message>
        <source>Select Method</source>
        <translation>Choisir la méthode</translation>
    </message>
    <message>
        <source>Colors Example</source>
        <translation>Exemple de couleurs</translation>
    </message>
    <message>
        <source>I want to use the vobsub on :</source>
        <translation>Je veux utiliser le VobSub sur :</translation>
    </message>
    <message>
        <source>PC ONLY</source>
        <translation>PC SEULEMENT</translation>
    </message>
    <message>
        <source>RGB palette is generated. Standard vobsub. This solution will not display the correct colors on the most of the dvd devices that support sub/idx subtitles</source>
        <translation>Une palette RVB est créée. VobSub standard. La plupart des lecteurs DVD qui lisent les sous-titres sub/idx n&apos;afficheront pas les bonnes couleurs.</translation>
    </message>
    <message>
        <source>DVD ONLY</source>
        <translation>DVD SEULEMENT</translation>
    </message>
    <message>
        <source>YCRCB palette is generated. This solution works on well on standalone dvd devices that support sub/idx but does not render correctly the colors on pc . In order to watch the subtitles on pc enable poligonize on directvobsub filter. </source>
        <translation>Une palette YCrCb est créée. Cela fonctionne bien sur les lecteurs DVD de salon qui lisent sub/idx, mais les couleurs sont fausses sur PC. Pour voir les sous-titres sur PC, activez « polygonize » dans le filtre DirectVobSub. </translation>
    </message>
    <message>
        <source>PC + DVD By using two palettes (recommended)</source>
        <translation>PC + DVD avec deux palettes (recommandé)</translation>
    </message>
    <message>
        <source>Both palettes are being generated. Most recommended solution at this time. </source>
        <translation>Les deux palettes sont créées. Solution recommandée actuellement. </translation>
    </message>
    <message>
        <source>PC + DVD By using an safe color palette</source>
        <translation>PC + DVD avec une palette de couleurs sûres</translation>
    </message>
    <message>
        <source>Hybrid palette is generated. Since RGB and YCRCB have some similar colors, an palette that is indipendent from RGB/YCRCB can be found. This solution offers strange colors and you might notice a small color difference playing the subtitles from pc to dvd.</source>
        <translation>Une palette hybride est créée. Comme RVB et YCrCb ont des couleurs proches, on peut trouver une palette indépendante de RVB/YCrCb. Les couleurs sont inhabituelles et une petite différence peut se voir entre PC et DVD.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Some DVD Devices may want the original IFO in order to get correct colors! In this case use the &apos;PC + DVD By using two palettes&apos; and download the ifo below. Further instuctions will be generated on the Lumelle_Help_File.txt</source>
        <translation>Certains lecteurs DVD veulent l&apos;IFO d&apos;origine pour afficher les bonnes couleurs ! Dans ce cas, choisissez « PC + DVD avec deux palettes » et téléchargez l&apos;IFO ci-dessous. D&apos;autres instructions seront écrites dans Lumelle_Help_File.txt.</translation>
    </message>
    <message>
        <source>Download Ifo</source>
        <translation>Télécharger IFO</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>stand-alone DVD and DivX players</source>
        <translation>lecteurs DVD et DivX de salon</translation>
    </message>
    <message>
        <source>DVD authoring</source>
        <translation>création de DVD</translation>
    </message>
    <message>
        <source>mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge</source>
        <translation>mpv, VLC, lecteurs basés sur ffmpeg, fichiers Matroska faits avec mkvmerge</translation>
    </message>
    <message>
        <source>players with the custom-colour extension</source>
        <translation>lecteurs avec l&apos;extension des couleurs personnalisées</translation>
    </message>
    <message>
        <source>Shows the colours right in: %1.</source>
        <translation>Couleurs justes dans : %1.</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>mpv, VLC and ffmpeg show white text pink.</source>
        <translation>mpv, VLC et ffmpeg affichent le texte blanc en rose.</translation>
    </message>
</context>
<context>
    <name>lumelle::UpdateCheck</name>
    <message>
        <source>Max Updaters created</source>
        <translation>Nombre maximal de vérifications atteint</translation>
    </message>
    <message>
        <source>Server Down. Retry later. Error : </source>
        <translation>Serveur indisponible. Réessayez plus tard. Erreur : </translation>
    </message>
    <message>
        <source>You are Offline. Connect to internet and retry. Error : </source>
        <translation>Vous êtes hors ligne. Connectez-vous à Internet et réessayez. Erreur : </translation>
    </message>
    <message>
        <source>No updates found.</source>
        <translation>Aucune mise à jour trouvée.</translation>
    </message>
    <message>
        <source>Update Found. Version :</source>
        <translation>Mise à jour trouvée. Version : </translation>
    </message>
    <message>
        <source>Update Now ?</source>
        <translation>Mettre à jour maintenant ?</translation>
    </message>
</context>
</TS>
