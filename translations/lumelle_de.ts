<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>lumelle::HelpText</name>
    <message>
        <source>All Done !!! Important Note:</source>
        <translation>Fertig !!! Wichtiger Hinweis:</translation>
    </message>
    <message>
        <source>Some DVD Devices might want an VTS_01_0.IFO file in order to get correct colors</source>
        <translation>Manche DVD-Geräte brauchen eine VTS_01_0.IFO-Datei, um die richtigen Farben zu zeigen</translation>
    </message>
    <message>
        <source>Just Download VTS_01_0.IFO load it on Ifoedit and press VTS_PGCITI and then VTS_PGC1.</source>
        <translation>Laden Sie VTS_01_0.IFO herunter, öffnen Sie sie in IfoEdit und wählen Sie VTS_PGCITI und dann VTS_PGC1.</translation>
    </message>
    <message>
        <source>Then find the Color %1 Y Cr CB ,doubleclick it, and put the value: %2</source>
        <translation>Suchen Sie dann Color %1 Y Cr CB, doppelklicken Sie darauf und tragen Sie den Wert ein: %2</translation>
    </message>
    <message>
        <source>Then press save. Thats all.</source>
        <translation>Dann speichern. Das ist alles.</translation>
    </message>
    <message>
        <source>Generated Files:</source>
        <translation>Erzeugte Dateien:</translation>
    </message>
    <message>
        <source>Download Ifo File Here: %1</source>
        <translation>IFO-Datei hier herunterladen: %1</translation>
    </message>
    <message>
        <source>If you want to MUX more vobsubs into one file (multilanguage vobsubs) then use Kestrabind: %1</source>
        <translation>Um mehrere VobSubs in einer Datei zusammenzuführen (mehrsprachige VobSubs), verwenden Sie Kestrabind: %1</translation>
    </message>
</context>
<context>
    <name>lumelle::Languages</name>
    <message>
        <source>ABKHAZIAN</source>
        <translation>ABCHASISCH</translation>
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
        <translation>ALBANISCH</translation>
    </message>
    <message>
        <source>AMHARIC</source>
        <translation>AMHARISCH</translation>
    </message>
    <message>
        <source>ARABIC</source>
        <translation>ARABISCH</translation>
    </message>
    <message>
        <source>ARMENIAN</source>
        <translation>ARMENISCH</translation>
    </message>
    <message>
        <source>ASSAMESE</source>
        <translation>ASSAMESISCH</translation>
    </message>
    <message>
        <source>AYMARA</source>
        <translation>AYMARA</translation>
    </message>
    <message>
        <source>AZERBAIJANI</source>
        <translation>ASERBAIDSCHANISCH</translation>
    </message>
    <message>
        <source>BASHKIR</source>
        <translation>BASCHKIRISCH</translation>
    </message>
    <message>
        <source>BASQUE</source>
        <translation>BASKISCH</translation>
    </message>
    <message>
        <source>BENGALI,BANGLA</source>
        <translation>BENGALISCH,BANGLA</translation>
    </message>
    <message>
        <source>BHUTANI</source>
        <translation>BHUTANISCH</translation>
    </message>
    <message>
        <source>BIHARI</source>
        <translation>BIHARI</translation>
    </message>
    <message>
        <source>BISLAMA</source>
        <translation>BISLAMA</translation>
    </message>
    <message>
        <source>BRETON</source>
        <translation>BRETONISCH</translation>
    </message>
    <message>
        <source>BULGARIAN</source>
        <translation>BULGARISCH</translation>
    </message>
    <message>
        <source>BURMESE</source>
        <translation>BIRMANISCH</translation>
    </message>
    <message>
        <source>BYELORUSSIAN</source>
        <translation>WEISSRUSSISCH</translation>
    </message>
    <message>
        <source>CAMBODIAN</source>
        <translation>KAMBODSCHANISCH</translation>
    </message>
    <message>
        <source>CATALAN</source>
        <translation>KATALANISCH</translation>
    </message>
    <message>
        <source>CHINESE</source>
        <translation>CHINESISCH</translation>
    </message>
    <message>
        <source>CORSICAN</source>
        <translation>KORSISCH</translation>
    </message>
    <message>
        <source>CROATIAN</source>
        <translation>KROATISCH</translation>
    </message>
    <message>
        <source>CZECH</source>
        <translation>TSCHECHISCH</translation>
    </message>
    <message>
        <source>DANISH</source>
        <translation>DÄNISCH</translation>
    </message>
    <message>
        <source>DUTCH</source>
        <translation>NIEDERLÄNDISCH</translation>
    </message>
    <message>
        <source>ENGLISH</source>
        <translation>ENGLISCH</translation>
    </message>
    <message>
        <source>ESPERANTO</source>
        <translation>ESPERANTO</translation>
    </message>
    <message>
        <source>ESTONIAN</source>
        <translation>ESTNISCH</translation>
    </message>
    <message>
        <source>FAROESE</source>
        <translation>FÄRÖISCH</translation>
    </message>
    <message>
        <source>FIJI</source>
        <translation>FIDSCHIANISCH</translation>
    </message>
    <message>
        <source>FINNISH</source>
        <translation>FINNISCH</translation>
    </message>
    <message>
        <source>FRENCH</source>
        <translation>FRANZÖSISCH</translation>
    </message>
    <message>
        <source>FRISIAN</source>
        <translation>FRIESISCH</translation>
    </message>
    <message>
        <source>FUROM</source>
        <translation>FUROM</translation>
    </message>
    <message>
        <source>GALICIAN</source>
        <translation>GALICISCH</translation>
    </message>
    <message>
        <source>GEORGIAN</source>
        <translation>GEORGISCH</translation>
    </message>
    <message>
        <source>GERMAN</source>
        <translation>DEUTSCH</translation>
    </message>
    <message>
        <source>GREEK</source>
        <translation>GRIECHISCH</translation>
    </message>
    <message>
        <source>GREENLANDIC</source>
        <translation>GRÖNLÄNDISCH</translation>
    </message>
    <message>
        <source>GUARANI</source>
        <translation>GUARANÍ</translation>
    </message>
    <message>
        <source>GUJARATI</source>
        <translation>GUJARATI</translation>
    </message>
    <message>
        <source>HAUSA</source>
        <translation>HAUSA</translation>
    </message>
    <message>
        <source>HEBREW</source>
        <translation>HEBRÄISCH</translation>
    </message>
    <message>
        <source>HINDI</source>
        <translation>HINDI</translation>
    </message>
    <message>
        <source>HUNGARIAN</source>
        <translation>UNGARISCH</translation>
    </message>
    <message>
        <source>ICELANDIC</source>
        <translation>ISLÄNDISCH</translation>
    </message>
    <message>
        <source>INDONESIAN</source>
        <translation>INDONESISCH</translation>
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
        <translation>IRISCH</translation>
    </message>
    <message>
        <source>ITALIAN</source>
        <translation>ITALIENISCH</translation>
    </message>
    <message>
        <source>JAPANESE</source>
        <translation>JAPANISCH</translation>
    </message>
    <message>
        <source>JAVANESE</source>
        <translation>JAVANISCH</translation>
    </message>
    <message>
        <source>KANNADA</source>
        <translation>KANNADA</translation>
    </message>
    <message>
        <source>KASHMIRI</source>
        <translation>KASCHMIRI</translation>
    </message>
    <message>
        <source>KAZAKH</source>
        <translation>KASACHISCH</translation>
    </message>
    <message>
        <source>KINYARWANDA</source>
        <translation>KINYARWANDA</translation>
    </message>
    <message>
        <source>KIRGHIZ</source>
        <translation>KIRGISISCH</translation>
    </message>
    <message>
        <source>KURUNDI</source>
        <translation>KIRUNDI</translation>
    </message>
    <message>
        <source>KOREAN</source>
        <translation>KOREANISCH</translation>
    </message>
    <message>
        <source>KURDISH</source>
        <translation>KURDISCH</translation>
    </message>
    <message>
        <source>LAOTHIAN</source>
        <translation>LAOTISCH</translation>
    </message>
    <message>
        <source>LATIN</source>
        <translation>LATEIN</translation>
    </message>
    <message>
        <source>LATVIAN,LETTISH</source>
        <translation>LETTISCH</translation>
    </message>
    <message>
        <source>LINGALA</source>
        <translation>LINGALA</translation>
    </message>
    <message>
        <source>LITHUANIAN</source>
        <translation>LITAUISCH</translation>
    </message>
    <message>
        <source>MALAGASY</source>
        <translation>MADAGASSISCH</translation>
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
        <translation>MALTESISCH</translation>
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
        <translation>MOLDAUISCH</translation>
    </message>
    <message>
        <source>MONGOLIAN</source>
        <translation>MONGOLISCH</translation>
    </message>
    <message>
        <source>NAURU</source>
        <translation>NAURUISCH</translation>
    </message>
    <message>
        <source>NEPALI</source>
        <translation>NEPALESISCH</translation>
    </message>
    <message>
        <source>NORWEGIAN</source>
        <translation>NORWEGISCH</translation>
    </message>
    <message>
        <source>OCCITAN</source>
        <translation>OKZITANISCH</translation>
    </message>
    <message>
        <source>ORIYA</source>
        <translation>ORIYA</translation>
    </message>
    <message>
        <source>PASHTO,PUSHTO</source>
        <translation>PASCHTU</translation>
    </message>
    <message>
        <source>PERSIAN (farsi)</source>
        <translation>PERSISCH (Farsi)</translation>
    </message>
    <message>
        <source>POLISH</source>
        <translation>POLNISCH</translation>
    </message>
    <message>
        <source>PORTUGUESE</source>
        <translation>PORTUGIESISCH</translation>
    </message>
    <message>
        <source>PUNJABI</source>
        <translation>PANDSCHABI</translation>
    </message>
    <message>
        <source>QUECHUA</source>
        <translation>QUECHUA</translation>
    </message>
    <message>
        <source>RHAETO-ROMANCE</source>
        <translation>RÄTOROMANISCH</translation>
    </message>
    <message>
        <source>ROMANIAN</source>
        <translation>RUMÄNISCH</translation>
    </message>
    <message>
        <source>RUSSIAN</source>
        <translation>RUSSISCH</translation>
    </message>
    <message>
        <source>SAMOAN</source>
        <translation>SAMOANISCH</translation>
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
        <translation>SERBISCH</translation>
    </message>
    <message>
        <source>SERBO-CROATIAN</source>
        <translation>SERBOKROATISCH</translation>
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
        <translation>SINGHALESISCH</translation>
    </message>
    <message>
        <source>SISWATI</source>
        <translation>SISWATI</translation>
    </message>
    <message>
        <source>SLOVAK</source>
        <translation>SLOWAKISCH</translation>
    </message>
    <message>
        <source>SLOVENIAN</source>
        <translation>SLOWENISCH</translation>
    </message>
    <message>
        <source>SOMALI</source>
        <translation>SOMALI</translation>
    </message>
    <message>
        <source>SPANISH</source>
        <translation>SPANISCH</translation>
    </message>
    <message>
        <source>SUNDANESE</source>
        <translation>SUNDANESISCH</translation>
    </message>
    <message>
        <source>SWAHILI</source>
        <translation>SUAHELI</translation>
    </message>
    <message>
        <source>SWEDISH</source>
        <translation>SCHWEDISCH</translation>
    </message>
    <message>
        <source>TAGALOG</source>
        <translation>TAGALOG</translation>
    </message>
    <message>
        <source>TAJIK</source>
        <translation>TADSCHIKISCH</translation>
    </message>
    <message>
        <source>TAMIL</source>
        <translation>TAMILISCH</translation>
    </message>
    <message>
        <source>TATAR</source>
        <translation>TATARISCH</translation>
    </message>
    <message>
        <source>TELUGU</source>
        <translation>TELUGU</translation>
    </message>
    <message>
        <source>THAI</source>
        <translation>THAI</translation>
    </message>
    <message>
        <source>TIBETAN</source>
        <translation>TIBETISCH</translation>
    </message>
    <message>
        <source>TIGRINYA</source>
        <translation>TIGRINYA</translation>
    </message>
    <message>
        <source>TONGA</source>
        <translation>TONGAISCH</translation>
    </message>
    <message>
        <source>TSONGA</source>
        <translation>TSONGA</translation>
    </message>
    <message>
        <source>TURKISH</source>
        <translation>TÜRKISCH</translation>
    </message>
    <message>
        <source>TURKMEN</source>
        <translation>TURKMENISCH</translation>
    </message>
    <message>
        <source>TWI</source>
        <translation>TWI</translation>
    </message>
    <message>
        <source>UKRAINIAN</source>
        <translation>UKRAINISCH</translation>
    </message>
    <message>
        <source>URDU</source>
        <translation>URDU</translation>
    </message>
    <message>
        <source>UZBEK</source>
        <translation>USBEKISCH</translation>
    </message>
    <message>
        <source>VIETNAMESE</source>
        <translation>VIETNAMESISCH</translation>
    </message>
    <message>
        <source>VOLAPUK</source>
        <translation>VOLAPÜK</translation>
    </message>
    <message>
        <source>WELSH</source>
        <translation>WALISISCH</translation>
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
        <translation>JIDDISCH</translation>
    </message>
    <message>
        <source>YORUBA</source>
        <translation>YORUBA</translation>
    </message>
    <message>
        <source>ZULU</source>
        <translation>ZULU</translation>
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
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Bold+Italic</source>
        <translation>Fett+Kursiv</translation>
    </message>
    <message>
        <source>Bold+Under</source>
        <translation>Fett+Unterstr.</translation>
    </message>
    <message>
        <source>Bold+It+Und</source>
        <translation>Fett+Kurs+Unt</translation>
    </message>
    <message>
        <source>Italic+Under</source>
        <translation>Kursiv+Unterstr.</translation>
    </message>
    <message>
        <source>StrikeOut</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>ARABIC</source>
        <translation>ARABISCH</translation>
    </message>
    <message>
        <source>BALTIC</source>
        <translation>BALTISCH</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>STANDARD</translation>
    </message>
    <message>
        <source>EASTEUROPE</source>
        <translation>OSTEUROPA</translation>
    </message>
    <message>
        <source>GREEK</source>
        <translation>GRIECHISCH</translation>
    </message>
    <message>
        <source>HEBREW</source>
        <translation>HEBRÄISCH</translation>
    </message>
    <message>
        <source>RUSSIAN</source>
        <translation>RUSSISCH</translation>
    </message>
    <message>
        <source>SYMBOL</source>
        <translation>SYMBOL</translation>
    </message>
    <message>
        <source>THAI</source>
        <translation>THAI</translation>
    </message>
    <message>
        <source>TURKISH</source>
        <translation>TÜRKISCH</translation>
    </message>
    <message>
        <source>VIETNAMESE</source>
        <translation>VIETNAMESISCH</translation>
    </message>
    <message>
        <source>center</source>
        <translation>mittig</translation>
    </message>
    <message>
        <source>left</source>
        <translation>links</translation>
    </message>
    <message>
        <source>right</source>
        <translation>rechts</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>lumelle::RunNotes</name>
    <message>
        <source>%1 The %2 was written as %3.</source>
        <translation>%1 Stattdessen geschrieben – %2: %3.</translation>
    </message>
    <message>
        <source>%1 was left as it is: %2.</source>
        <translation>%1 blieb unverändert: %2.</translation>
    </message>
    <message>
        <source>it is an input or an earlier output of this run</source>
        <translation>sie ist eine Eingabe oder eine frühere Ausgabe dieses Laufs</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it holds &quot;%1&quot;, which is not a file of the set</source>
        <translation>er enthält „%1“, das nicht zu diesen Ausgabedateien gehört</translation>
    </message>
    <message>
        <source>it is not %1</source>
        <translation>sie ist %1</translation>
    </message>
    <message>
        <source>a help file of this program</source>
        <translation>keine Hilfedatei dieses Programms</translation>
    </message>
    <message>
        <source>a VobSub file</source>
        <translation>keine VobSub-Datei</translation>
    </message>
    <message>
        <source>a DVD .sup file</source>
        <translation>keine DVD-.sup-Datei</translation>
    </message>
    <message>
        <source>PNG picture</source>
        <translation>kein PNG-Bild</translation>
    </message>
    <message>
        <source>BDN XML file</source>
        <translation>keine BDN-XML-Datei</translation>
    </message>
    <message>
        <source>Blu-ray PGS file</source>
        <translation>keine Blu-ray-PGS-Datei</translation>
    </message>
    <message>
        <source>pair</source>
        <translation>Paar</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>.sup file</source>
        <translation>.sup-Datei</translation>
    </message>
    <message>
        <source>index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Streams of this pair: %1. mkvmerge marks every stream default unless told: mkvmerge -o OUTPUT.mkv VIDEO%2 %3</source>
        <translation>Datenströme dieses Paars: %1. mkvmerge markiert jeden Datenstrom als Standard, wenn nicht anders angegeben: mkvmerge -o OUTPUT.mkv VIDEO%2 %3</translation>
    </message>
    <message>
        <source>%1 (default)</source>
        <translation>%1 (Standard)</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for more than one text colour in one picture and is drawn in one of them.</source>
        <translation>Untertitel %1 verlangt mehr als eine Textfarbe in einem Bild und wird in einer davon gezeichnet.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for more than one text colour in one picture and are drawn in one of them.</source>
        <translation>Die Untertitel %1 verlangen mehr als eine Textfarbe in einem Bild und werden in einer davon gezeichnet.</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for more text colours than a DVD picture can show (three inks: outline and two text colours) and is drawn in the nearest of them.</source>
        <translation>Untertitel %1 verlangt mehr Textfarben, als ein DVD-Bild zeigen kann (drei Farben: Kontur und zwei Textfarben), und wird in der nächstliegenden davon gezeichnet.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for more text colours than a DVD picture can show (three inks: outline and two text colours) and are drawn in the nearest of them.</source>
        <translation>Die Untertitel %1 verlangen mehr Textfarben, als ein DVD-Bild zeigen kann (drei Farben: Kontur und zwei Textfarben), und werden in der nächstliegenden davon gezeichnet.</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for colours beyond the 16 of the palette and is drawn in the nearest colour it holds.</source>
        <translation>Untertitel %1 verlangt Farben außerhalb der 16 der Palette und wird in der nächstliegenden Farbe der Palette gezeichnet.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for colours beyond the 16 of the palette and are drawn in the nearest colour it holds.</source>
        <translation>Die Untertitel %1 verlangen Farben außerhalb der 16 der Palette und werden in der nächstliegenden Farbe der Palette gezeichnet.</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>1 subtitle holds characters that no installed font can draw; they show as empty boxes. Install a font for their script (the README names the Debian packages):</source>
        <translation>1 Untertitel enthält Zeichen, die keine installierte Schriftart zeichnen kann; sie erscheinen als leere Kästchen. Installieren Sie eine Schriftart für ihr Schriftsystem (die README nennt die Debian-Pakete):</translation>
    </message>
    <message>
        <source>%1 subtitles hold characters that no installed font can draw; they show as empty boxes. Install a font for their script (the README names the Debian packages):</source>
        <translation>%1 Untertitel enthalten Zeichen, die keine installierte Schriftart zeichnen kann; sie erscheinen als leere Kästchen. Installieren Sie eine Schriftart für ihr Schriftsystem (die README nennt die Debian-Pakete):</translation>
    </message>
    <message>
        <source>subtitle %1: %2</source>
        <translation>Untertitel %1: %2</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... und %1 weitere.</translation>
    </message>
    <message>
        <source>Subtitle %1 is shown %2 ms after its start: a Blu-ray player needs that long to decode the first picture.</source>
        <translation>Untertitel %1 erscheint %2 ms nach seinem Beginn: so lange braucht ein Blu-ray-Player, um das erste Bild zu dekodieren.</translation>
    </message>
    <message>
        <source>%1 steps of animated subtitles are left out: a Blu-ray player could not decode them before they end.</source>
        <translation>%1 Schritte animierter Untertitel werden ausgelassen: ein Blu-ray-Player könnte sie nicht dekodieren, bevor sie enden.</translation>
    </message>
    <message>
        <source>%1 pictures are shown up to %2 ms after their start: a Blu-ray player needs the time to decode each after the one before.</source>
        <translation>%1 Bilder erscheinen bis zu %2 ms nach ihrem Beginn: ein Blu-ray-Player braucht die Zeit, um jedes nach dem vorigen zu dekodieren.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
</context>
<context>
    <name>lumelle::LoadedPictures</name>
    <message>
        <source>forced</source>
        <translation>erzwungen</translation>
    </message>
</context>
<context>
    <name>lumelle::TForm1</name>
    <message>
        <source>Last VobSub pair written to %1</source>
        <translation>Letztes VobSub-Paar geschrieben nach %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>This desktop has no program that opens folders. The VobSub pair is in:<byte value="xd"/>%1</source>
        <translation>Dieser Desktop hat kein Programm zum Öffnen von Ordnern. Das VobSub-Paar liegt in:<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Output folder:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>beside the subtitle file</source>
        <translation>neben der Untertiteldatei</translation>
    </message>
    <message>
        <source>Choose Folder...</source>
        <translation>Ordner wählen...</translation>
    </message>
    <message>
        <source>Beside Subtitle</source>
        <translation>Neben Untertitel</translation>
    </message>
    <message>
        <source>Choose the folder for the VobSub pair</source>
        <translation>Ordner für das VobSub-Paar wählen</translation>
    </message>
    <message>
        <source>The folder name has a line break, which the settings file cannot keep. Please choose another folder.</source>
        <translation>Der Ordnername enthält einen Zeilenumbruch, den die Einstellungsdatei nicht speichern kann. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>The folder of the subtitle file cannot be written:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choose another folder for the VobSub pair?</source>
        <translation>In den Ordner der Untertiteldatei kann nicht geschrieben werden:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Einen anderen Ordner für das VobSub-Paar wählen?</translation>
    </message>
    <message>
        <source>The output folder cannot be written:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choose another folder for the VobSub pair?</source>
        <translation>In den Ausgabeordner kann nicht geschrieben werden:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Einen anderen Ordner für das VobSub-Paar wählen?</translation>
    </message>
    <message>
        <source>Lumelle By Orvane</source>
        <translation>Lumelle von Orvane</translation>
    </message>
    <message>
        <source>Lumelle By Orvane Loading Subtitle...</source>
        <translation>Lumelle von Orvane – Untertitel wird geladen...</translation>
    </message>
    <message>
        <source>Lumelle By Orvane Checking Subtitle Length...</source>
        <translation>Lumelle von Orvane – Zeilenlänge wird geprüft...</translation>
    </message>
    <message>
        <source>Generate Vobsub</source>
        <translation>VobSub erzeugen</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Load SRT</source>
        <translation>SRT laden</translation>
    </message>
    <message>
        <source>Subtitle Style Modified/Loaded Successfully</source>
        <translation>Untertitel erfolgreich geladen/Stil geändert</translation>
    </message>
    <message>
        <source>Load 720x576 PAL image</source>
        <translation>720x576-PAL-Bild laden</translation>
    </message>
    <message>
        <source>Load your PAL 720x576 BMP|*.bmp</source>
        <translation>PAL-BMP 720x576|*.bmp</translation>
    </message>
    <message>
        <source>Load 720x480 NTSC image</source>
        <translation>720x480-NTSC-Bild laden</translation>
    </message>
    <message>
        <source>Load your NTSC 720x480 BMP|*.bmp</source>
        <translation>NTSC-BMP 720x480|*.bmp</translation>
    </message>
    <message>
        <source>ProgressBar</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Load Srt,Sub</source>
        <translation>Srt,Sub laden</translation>
    </message>
    <message>
        <source>Fps</source>
        <translation>Bilder/s</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Language </source>
        <translation>Sprache </translation>
    </message>
    <message>
        <source>Render Fonts</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Font Charset</source>
        <translation>Zeichensatz</translation>
    </message>
    <message>
        <source>Font Style</source>
        <translation>Schriftstil</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Ausricht.</translation>
    </message>
    <message>
        <source>Offsets</source>
        <translation>Lage</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>Wrap long lines</source>
        <translation>Lange Zeilen umbrechen</translation>
    </message>
    <message>
        <source>Break lines too wide for the frame at a space instead of refusing them</source>
        <translation>Zu breite Zeilen an einem Leerzeichen umbrechen, statt sie abzulehnen</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Antialias</source>
        <translation>Kanten</translation>
    </message>
    <message>
        <source>Outine</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Color Options</source>
        <translation>Farboptionen</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Standard-</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>werte</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>ändern</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Not enough memory to finish this.</source>
        <translation>Nicht genug Speicher, um dies zu beenden.</translation>
    </message>
    <message>
        <source>This is subtitle %1.</source>
        <translation>Das ist Untertitel %1.</translation>
    </message>
    <message>
        <source>Even with &quot;Wrap long lines&quot; a word of it is wider than the frame.</source>
        <translation>Auch mit „Lange Zeilen umbrechen“ ist ein Wort darin breiter als das Bild.</translation>
    </message>
    <message>
        <source>Tick &quot;Wrap long lines&quot; to break it at a space instead.</source>
        <translation>Kreuzen Sie „Lange Zeilen umbrechen“ an, um sie stattdessen an einem Leerzeichen umzubrechen.</translation>
    </message>
    <message>
        <source>The subtitle is taller than the frame. Please use a smaller font size.</source>
        <translation>Der Untertitel ist höher als das Bild. Bitte eine kleinere Schriftgröße wählen.</translation>
    </message>
    <message>
        <source>Operation Aborted</source>
        <translation>Vorgang abgebrochen</translation>
    </message>
    <message>
        <source>Please load an Srt/Sub/Txt subtitle.</source>
        <translation>Bitte einen Srt/Sub/Txt-Untertitel laden.</translation>
    </message>
    <message>
        <source>Please use smaller font.</source>
        <translation>Bitte eine kleinere Schrift wählen.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>The styles of the ASS/SSA script decide this.</source>
        <translation>Das legen die Stile des ASS/SSA-Skripts fest.</translation>
    </message>
    <message>
        <source>forced</source>
        <translation>erzwungen</translation>
    </message>
    <message>
        <source>loaded file</source>
        <translation>geladene Datei</translation>
    </message>
    <message>
        <source>Output Form and Languages</source>
        <translation>Ausgabeform und Sprachen</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Languages in the output</source>
        <translation>Sprachen in der Ausgabe</translation>
    </message>
    <message>
        <source>Each file becomes one subtitle stream; players choose the first one first.<byte value="xd"/>Delete removes the selected file.</source>
        <translation>Jede Datei wird eine Untertitelspur; Player wählen zuerst die erste.<byte value="xd"/>Entf entfernt die gewählte Datei.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Forced</source>
        <translation>Erzwungen</translation>
    </message>
    <message>
        <source>Shown even when the viewer turned subtitles off (foreign dialogue, signs)</source>
        <translation>Auch gezeigt, wenn der Zuschauer Untertitel ausgeschaltet hat (fremdsprachige Dialoge, Schilder)</translation>
    </message>
    <message>
        <source>Add File...</source>
        <translation>Datei hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Several languages need the VobSub pair: a .sup file holds one.</source>
        <translation>Mehrere Sprachen brauchen das VobSub-Paar: eine .sup-Datei fasst eine.</translation>
    </message>
    <message>
        <source>WebVTT: rolling captions shown once</source>
        <translation>WebVTT: rollende Zeilen einmal zeigen</translation>
    </message>
    <message>
        <source>WebVTT captions typed as they are spoken repeat every line in the next cue: read them so that each line shows once</source>
        <translation>WebVTT-Untertitel, die beim Sprechen getippt werden, wiederholen jede Zeile im nächsten Cue: so lesen, dass jede Zeile einmal erscheint</translation>
    </message>
    <message>
        <source>(no file loaded)</source>
        <translation>(keine Datei geladen)</translation>
    </message>
    <message>
        <source>The loaded file&apos;s language is chosen in the Output group</source>
        <translation>Die Sprache der geladenen Datei wird in der Gruppe Ausgabe gewählt</translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation>%1 steht schon in der Liste.</translation>
    </message>
    <message>
        <source>no subtitle in it</source>
        <translation>kein Untertitel darin</translation>
    </message>
    <message>
        <source>Add a subtitle file of another language</source>
        <translation>Untertiteldatei einer weiteren Sprache hinzufügen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds one language. Remove the added files or write the VobSub pair.</source>
        <translation>„%1“ fasst eine Sprache. Entfernen Sie die hinzugefügten Dateien oder schreiben Sie das VobSub-Paar.</translation>
    </message>
    <message>
        <source>This is subtitle %1 of %2.</source>
        <translation>Das ist Untertitel %1 von %2.</translation>
    </message>
    <message>
        <source>VobSub pair (.idx/.sub)</source>
        <translation>VobSub-Paar (.idx/.sub)</translation>
    </message>
    <message>
        <source>DVD .sup (authoring programs)</source>
        <translation>DVD-.sup (Authoring-Programme)</translation>
    </message>
    <message>
        <source>VobSub pair and DVD .sup</source>
        <translation>VobSub-Paar und DVD-.sup</translation>
    </message>
    <message>
        <source>BDN XML and PNG (Blu-ray authoring)</source>
        <translation>BDN-XML und PNG (Blu-ray-Authoring)</translation>
    </message>
    <message numerus="yes">
        <source>Keep the %n subtitles written so far? The earlier pair will be replaced.</source>
        <translation>
            <numerusform>Den bisher geschriebenen %n Untertitel behalten? Das frühere Paar wird ersetzt.</numerusform>
            <numerusform>Die %n bisher geschriebenen Untertitel behalten? Das frühere Paar wird ersetzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep the 1 subtitle written so far? The earlier pair will be replaced.</source>
        <translation>Den einen bisher geschriebenen Untertitel behalten? Das frühere Paar wird ersetzt.</translation>
    </message>
    <message>
        <source>This desktop has no program that opens folders. The subtitles are in:<byte value="xd"/>%1</source>
        <translation>Dieser Desktop hat kein Programm zum Öffnen von Ordnern. Die Untertitel liegen in:<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>All done: 1 subtitle picture written, at %1 and %2 frames a second.</source>
        <translation>Fertig: 1 Untertitelbild geschrieben, in %1 bei %2 Bildern pro Sekunde.</translation>
    </message>
    <message numerus="yes">
        <source>All done: %n subtitle pictures written, at %1 and %2 frames a second.</source>
        <translation>
            <numerusform>Fertig: %n Untertitelbild geschrieben, in %1 bei %2 Bildern pro Sekunde.</numerusform>
            <numerusform>Fertig: %n Untertitelbilder geschrieben, in %1 bei %2 Bildern pro Sekunde.</numerusform>
        </translation>
    </message>
    <message>
        <source>Blu-ray frame</source>
        <translation>Blu-ray-Bildgröße</translation>
    </message>
    <message>
        <source>The frame size of the video the Blu-ray subtitles go with: they are drawn, checked and written at it</source>
        <translation>Die Bildgröße des Videos, zu dem die Blu-ray-Untertitel gehören: in ihr werden sie gezeichnet, geprüft und geschrieben</translation>
    </message>
    <message>
        <source>Blu-ray .sup (PGS)</source>
        <translation>Blu-ray-.sup (PGS)</translation>
    </message>
    <message>
        <source>Blu-ray video has no %1x%2 picture at the frame rate %3. Choose a frame size and frame rate of Blu-ray video: %4.</source>
        <translation>Blu-ray-Video hat kein Bild von %1x%2 bei der Bildrate %3. Wählen Sie eine Bildgröße und Bildrate von Blu-ray-Video: %4.</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Files of more languages are added to a text subtitle only.</source>
        <translation>Dateien weiterer Sprachen lassen sich nur zu einem Textuntertitel hinzufügen.</translation>
    </message>
    <message>
        <source>Some of this file could not be read; the rest is loaded:</source>
        <translation>Ein Teil dieser Datei ließ sich nicht lesen; der Rest ist geladen:</translation>
    </message>
    <message>
        <source>(%1 more)</source>
        <translation>(%1 weitere)</translation>
    </message>
    <message>
        <source>No subtitle picture could be read from this file.</source>
        <translation>Aus dieser Datei ließ sich kein Untertitelbild lesen.</translation>
    </message>
    <message>
        <source>This file holds %1 streams: %2. The window shows and writes stream %3, the one players pick first; lumelle-convert --stream-index N converts another, or every stream into one VobSub pair.</source>
        <translation>Diese Datei enthält %1 Spuren: %2. Das Fenster zeigt und schreibt Spur %3, die Player zuerst wählen; lumelle-convert --stream-index N wandelt eine andere um, oder jede Spur in ein VobSub-Paar.</translation>
    </message>
    <message>
        <source>A picture subtitle is converted as its pictures are drawn: this does not apply to it.</source>
        <translation>Ein Bilduntertitel wird so umgewandelt, wie seine Bilder gezeichnet sind: Dies gilt für ihn nicht.</translation>
    </message>
</context>
<context>
    <name>lumelle::TForm2</name>
    <message>
        <source>Lumelle convert&apos;s txt subtitles to Vobsubs (idx/sub) in order to put them in a Dvd Device Player.that supports vobsub subtitles.</source>
        <translation>Lumelle wandelt Text-Untertitel in VobSubs (idx/sub) um, damit sie auf einem DVD-Player laufen, der VobSub-Untertitel unterstützt.</translation>
    </message>
    <message>
        <source>The official site is : %1 .</source>
        <translation>Die offizielle Seite ist: %1 .</translation>
    </message>
    <message>
        <source>For any suggestions please visit our forums :  %1</source>
        <translation>Für Vorschläge besuchen Sie bitte unsere Foren:  %1</translation>
    </message>
    <message>
        <source>Important Update : Lumelle is NOT a GUI anymore. From now on is an standalone application (its old companion program is not used now)</source>
        <translation>Wichtige Neuerung: Lumelle ist KEINE Oberfläche mehr, sondern ein eigenständiges Programm (sein früheres Begleitprogramm wird nicht mehr gebraucht)</translation>
    </message>
    <message>
        <source>Usage : </source>
        <translation>Bedienung: </translation>
    </message>
    <message>
        <source>1) Just load your srt. At this time the program looks the width of every textual </source>
        <translation>1) Laden Sie einfach Ihre srt-Datei. Dabei prüft das Programm die Breite jedes </translation>
    </message>
    <message>
        <source>subtitle in order to fit it on the video screen.</source>
        <translation>Untertitels, damit er auf das Videobild passt.</translation>
    </message>
    <message>
        <source>2) If the srt loads correctly then choose the correct fps and press &apos;Generate VobSub&apos;. </source>
        <translation>2) Lädt die srt-Datei richtig, wählen Sie die richtige Bildrate und drücken Sie „VobSub erzeugen“. </translation>
    </message>
    <message>
        <source>Otherwise try to edit the srt or just pick a smaller font.</source>
        <translation>Andernfalls bearbeiten Sie die srt-Datei oder wählen eine kleinere Schrift.</translation>
    </message>
    <message>
        <source>3) Further informations will be Generated in an txt file. Just read them !</source>
        <translation>3) Weitere Hinweise werden in eine txt-Datei geschrieben. Lesen Sie sie einfach!</translation>
    </message>
    <message>
        <source>*Tip : If your vobsub file does not shows up at your movie all just </source>
        <translation>*Tipp: Erscheinen Ihre VobSub-Untertitel im Film gar nicht, </translation>
    </message>
    <message>
        <source>try to move the subtitle upper</source>
        <translation>schieben Sie die Untertitel weiter nach oben</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Current version :</source>
        <translation>Aktuelle Version:</translation>
    </message>
    <message>
        <source>Special Thanks to:</source>
        <translation>Besonderer Dank an:</translation>
    </message>
    <message>
        <source>The Qt Project, whose toolkit draws every window and letter</source>
        <translation>das Qt-Projekt: sein Toolkit zeichnet jedes Fenster und Zeichen</translation>
    </message>
    <message>
        <source>FFmpeg and MKVToolNix, which read back every VobSub we make</source>
        <translation>FFmpeg und MKVToolNix, die jedes unserer VobSubs nachlesen</translation>
    </message>
    <message>
        <source>The DejaVu and Liberation fonts, the faces on our screens</source>
        <translation>die Schriften DejaVu und Liberation auf unseren Bildschirmen</translation>
    </message>
    <message>
        <source>Visit the official site %1</source>
        <translation>Website %1 besuchen</translation>
    </message>
    <message>
        <source>Check Version</source>
        <translation>Version prüfen</translation>
    </message>
    <message>
        <source>Mux Vobsubs (Multilanguage support)</source>
        <translation>VobSubs muxen (mehrsprachig)</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Spenden</translation>
    </message>
</context>
<context>
    <name>lumelle::TFormColorOptions</name>
    <message>
        <source>Color Options</source>
        <translation>Farboptionen</translation>
    </message>
    <message>
        <source>Select Method</source>
        <translation>Verfahren wählen</translation>
    </message>
    <message>
        <source>Colors Example</source>
        <translation>Farbbeispiel</translation>
    </message>
    <message>
        <source>I want to use the vobsub on :</source>
        <translation>Ich will das VobSub nutzen auf:</translation>
    </message>
    <message>
        <source>PC ONLY</source>
        <translation>NUR PC</translation>
    </message>
    <message>
        <source>RGB palette is generated. Standard vobsub. This solution will not display the correct colors on the most of the dvd devices that support sub/idx subtitles</source>
        <translation>Eine RGB-Palette wird erzeugt. Standard-VobSub. Die meisten DVD-Geräte mit sub/idx-Unterstützung zeigen damit nicht die richtigen Farben.</translation>
    </message>
    <message>
        <source>DVD ONLY</source>
        <translation>NUR DVD</translation>
    </message>
    <message>
        <source>YCRCB palette is generated. This solution works on well on standalone dvd devices that support sub/idx but does not render correctly the colors on pc . In order to watch the subtitles on pc enable poligonize on directvobsub filter. </source>
        <translation>Eine YCrCb-Palette wird erzeugt. Das funktioniert gut auf DVD-Spielern mit sub/idx-Unterstützung, zeigt aber am PC falsche Farben. Um die Untertitel am PC zu sehen, im DirectVobSub-Filter „Polygonize“ einschalten. </translation>
    </message>
    <message>
        <source>PC + DVD By using two palettes (recommended)</source>
        <translation>PC + DVD mit zwei Paletten (empfohlen)</translation>
    </message>
    <message>
        <source>Both palettes are being generated. Most recommended solution at this time. </source>
        <translation>Beide Paletten werden erzeugt. Derzeit die empfohlene Lösung. </translation>
    </message>
    <message>
        <source>PC + DVD By using an safe color palette</source>
        <translation>PC + DVD mit einer sicheren Farbpalette</translation>
    </message>
    <message>
        <source>Hybrid palette is generated. Since RGB and YCRCB have some similar colors, an palette that is indipendent from RGB/YCRCB can be found. This solution offers strange colors and you might notice a small color difference playing the subtitles from pc to dvd.</source>
        <translation>Eine hybride Palette wird erzeugt. Da RGB und YCrCb einige ähnliche Farben haben, lässt sich eine von RGB/YCrCb unabhängige Palette finden. Die Farben wirken ungewohnt, und zwischen PC und DVD kann ein kleiner Farbunterschied auffallen.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Some DVD Devices may want the original IFO in order to get correct colors! In this case use the &apos;PC + DVD By using two palettes&apos; and download the ifo below. Further instuctions will be generated on the Lumelle_Help_File.txt</source>
        <translation>Manche DVD-Geräte brauchen die originale IFO-Datei für richtige Farben! Wählen Sie dann „PC + DVD mit zwei Paletten“ und laden Sie die IFO unten herunter. Weitere Hinweise stehen in Lumelle_Help_File.txt.</translation>
    </message>
    <message>
        <source>Download Ifo</source>
        <translation>IFO laden</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>stand-alone DVD and DivX players</source>
        <translation>DVD- und DivX-Player</translation>
    </message>
    <message>
        <source>DVD authoring</source>
        <translation>DVD-Authoring</translation>
    </message>
    <message>
        <source>mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge</source>
        <translation>mpv, VLC, Player auf ffmpeg-Basis, mit mkvmerge erstellte Matroska-Dateien</translation>
    </message>
    <message>
        <source>players with the custom-colour extension</source>
        <translation>Player mit der Erweiterung für eigene Farben</translation>
    </message>
    <message>
        <source>Shows the colours right in: %1.</source>
        <translation>Richtige Farben in: %1.</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>mpv, VLC and ffmpeg show white text pink.</source>
        <translation>mpv, VLC und ffmpeg zeigen weißen Text rosa.</translation>
    </message>
</context>
<context>
    <name>lumelle::UpdateCheck</name>
    <message>
        <source>Max Updaters created</source>
        <translation>Höchstzahl an Update-Prüfungen erreicht</translation>
    </message>
    <message>
        <source>Server Down. Retry later. Error : </source>
        <translation>Server nicht erreichbar. Bitte später erneut versuchen. Fehler: </translation>
    </message>
    <message>
        <source>You are Offline. Connect to internet and retry. Error : </source>
        <translation>Sie sind offline. Mit dem Internet verbinden und erneut versuchen. Fehler: </translation>
    </message>
    <message>
        <source>No updates found.</source>
        <translation>Keine Aktualisierung gefunden.</translation>
    </message>
    <message>
        <source>Update Found. Version :</source>
        <translation>Aktualisierung gefunden. Version: </translation>
    </message>
    <message>
        <source>Update Now ?</source>
        <translation>Jetzt aktualisieren?</translation>
    </message>
</context>
</TS>
