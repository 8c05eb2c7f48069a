<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>lumelle::HelpText</name>
    <message>
        <source>All Done !!! Important Note:</source>
        <translation>¡¡¡Terminado!!! Nota importante:</translation>
    </message>
    <message>
        <source>Some DVD Devices might want an VTS_01_0.IFO file in order to get correct colors</source>
        <translation>Algunos reproductores de DVD necesitan un archivo VTS_01_0.IFO para mostrar los colores correctos</translation>
    </message>
    <message>
        <source>Just Download VTS_01_0.IFO load it on Ifoedit and press VTS_PGCITI and then VTS_PGC1.</source>
        <translation>Descargue VTS_01_0.IFO, ábralo en IfoEdit y elija VTS_PGCITI y luego VTS_PGC1.</translation>
    </message>
    <message>
        <source>Then find the Color %1 Y Cr CB ,doubleclick it, and put the value: %2</source>
        <translation>Busque luego Color %1 Y Cr CB, haga doble clic y escriba el valor: %2</translation>
    </message>
    <message>
        <source>Then press save. Thats all.</source>
        <translation>Luego guarde. Eso es todo.</translation>
    </message>
    <message>
        <source>Generated Files:</source>
        <translation>Archivos generados:</translation>
    </message>
    <message>
        <source>Download Ifo File Here: %1</source>
        <translation>Descargue el archivo IFO aquí: %1</translation>
    </message>
    <message>
        <source>If you want to MUX more vobsubs into one file (multilanguage vobsubs) then use Kestrabind: %1</source>
        <translation>Para unir varios VobSub en un solo archivo (VobSub multilingües), use Kestrabind: %1</translation>
    </message>
</context>
<context>
    <name>lumelle::Languages</name>
    <message>
        <source>ABKHAZIAN</source>
        <translation>ABJASIO</translation>
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
        <translation>AFRIKÁANS</translation>
    </message>
    <message>
        <source>ALBANIAN</source>
        <translation>ALBANÉS</translation>
    </message>
    <message>
        <source>AMHARIC</source>
        <translation>AMÁRICO</translation>
    </message>
    <message>
        <source>ARABIC</source>
        <translation>ÁRABE</translation>
    </message>
    <message>
        <source>ARMENIAN</source>
        <translation>ARMENIO</translation>
    </message>
    <message>
        <source>ASSAMESE</source>
        <translation>ASAMÉS</translation>
    </message>
    <message>
        <source>AYMARA</source>
        <translation>AIMARA</translation>
    </message>
    <message>
        <source>AZERBAIJANI</source>
        <translation>AZERBAIYANO</translation>
    </message>
    <message>
        <source>BASHKIR</source>
        <translation>BASKIR</translation>
    </message>
    <message>
        <source>BASQUE</source>
        <translation>VASCO</translation>
    </message>
    <message>
        <source>BENGALI,BANGLA</source>
        <translation>BENGALÍ,BANGLA</translation>
    </message>
    <message>
        <source>BHUTANI</source>
        <translation>BUTANÉS</translation>
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
        <translation>BRETÓN</translation>
    </message>
    <message>
        <source>BULGARIAN</source>
        <translation>BÚLGARO</translation>
    </message>
    <message>
        <source>BURMESE</source>
        <translation>BIRMANO</translation>
    </message>
    <message>
        <source>BYELORUSSIAN</source>
        <translation>BIELORRUSO</translation>
    </message>
    <message>
        <source>CAMBODIAN</source>
        <translation>CAMBOYANO</translation>
    </message>
    <message>
        <source>CATALAN</source>
        <translation>CATALÁN</translation>
    </message>
    <message>
        <source>CHINESE</source>
        <translation>CHINO</translation>
    </message>
    <message>
        <source>CORSICAN</source>
        <translation>CORSO</translation>
    </message>
    <message>
        <source>CROATIAN</source>
        <translation>CROATA</translation>
    </message>
    <message>
        <source>CZECH</source>
        <translation>CHECO</translation>
    </message>
    <message>
        <source>DANISH</source>
        <translation>DANÉS</translation>
    </message>
    <message>
        <source>DUTCH</source>
        <translation>NEERLANDÉS</translation>
    </message>
    <message>
        <source>ENGLISH</source>
        <translation>INGLÉS</translation>
    </message>
    <message>
        <source>ESPERANTO</source>
        <translation>ESPERANTO</translation>
    </message>
    <message>
        <source>ESTONIAN</source>
        <translation>ESTONIO</translation>
    </message>
    <message>
        <source>FAROESE</source>
        <translation>FEROÉS</translation>
    </message>
    <message>
        <source>FIJI</source>
        <translation>FIYIANO</translation>
    </message>
    <message>
        <source>FINNISH</source>
        <translation>FINÉS</translation>
    </message>
    <message>
        <source>FRENCH</source>
        <translation>FRANCÉS</translation>
    </message>
    <message>
        <source>FRISIAN</source>
        <translation>FRISÓN</translation>
    </message>
    <message>
        <source>FUROM</source>
        <translation>FUROM</translation>
    </message>
    <message>
        <source>GALICIAN</source>
        <translation>GALLEGO</translation>
    </message>
    <message>
        <source>GEORGIAN</source>
        <translation>GEORGIANO</translation>
    </message>
    <message>
        <source>GERMAN</source>
        <translation>ALEMÁN</translation>
    </message>
    <message>
        <source>GREEK</source>
        <translation>GRIEGO</translation>
    </message>
    <message>
        <source>GREENLANDIC</source>
        <translation>GROENLANDÉS</translation>
    </message>
    <message>
        <source>GUARANI</source>
        <translation>GUARANÍ</translation>
    </message>
    <message>
        <source>GUJARATI</source>
        <translation>GUYARATI</translation>
    </message>
    <message>
        <source>HAUSA</source>
        <translation>HAUSA</translation>
    </message>
    <message>
        <source>HEBREW</source>
        <translation>HEBREO</translation>
    </message>
    <message>
        <source>HINDI</source>
        <translation>HINDI</translation>
    </message>
    <message>
        <source>HUNGARIAN</source>
        <translation>HÚNGARO</translation>
    </message>
    <message>
        <source>ICELANDIC</source>
        <translation>ISLANDÉS</translation>
    </message>
    <message>
        <source>INDONESIAN</source>
        <translation>INDONESIO</translation>
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
        <translation>IRLANDÉS</translation>
    </message>
    <message>
        <source>ITALIAN</source>
        <translation>ITALIANO</translation>
    </message>
    <message>
        <source>JAPANESE</source>
        <translation>JAPONÉS</translation>
    </message>
    <message>
        <source>JAVANESE</source>
        <translation>JAVANÉS</translation>
    </message>
    <message>
        <source>KANNADA</source>
        <translation>CANARÉS</translation>
    </message>
    <message>
        <source>KASHMIRI</source>
        <translation>CACHEMIR</translation>
    </message>
    <message>
        <source>KAZAKH</source>
        <translation>KAZAJO</translation>
    </message>
    <message>
        <source>KINYARWANDA</source>
        <translation>KINYARUANDA</translation>
    </message>
    <message>
        <source>KIRGHIZ</source>
        <translation>KIRGUÍS</translation>
    </message>
    <message>
        <source>KURUNDI</source>
        <translation>KIRUNDI</translation>
    </message>
    <message>
        <source>KOREAN</source>
        <translation>COREANO</translation>
    </message>
    <message>
        <source>KURDISH</source>
        <translation>KURDO</translation>
    </message>
    <message>
        <source>LAOTHIAN</source>
        <translation>LAOSIANO</translation>
    </message>
    <message>
        <source>LATIN</source>
        <translation>LATÍN</translation>
    </message>
    <message>
        <source>LATVIAN,LETTISH</source>
        <translation>LETÓN</translation>
    </message>
    <message>
        <source>LINGALA</source>
        <translation>LINGALA</translation>
    </message>
    <message>
        <source>LITHUANIAN</source>
        <translation>LITUANO</translation>
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
        <translation>MALTÉS</translation>
    </message>
    <message>
        <source>MAORI</source>
        <translation>MAORÍ</translation>
    </message>
    <message>
        <source>MARATHI</source>
        <translation>MARATÍ</translation>
    </message>
    <message>
        <source>MOLDAVIAN</source>
        <translation>MOLDAVO</translation>
    </message>
    <message>
        <source>MONGOLIAN</source>
        <translation>MONGOL</translation>
    </message>
    <message>
        <source>NAURU</source>
        <translation>NAURUANO</translation>
    </message>
    <message>
        <source>NEPALI</source>
        <translation>NEPALÍ</translation>
    </message>
    <message>
        <source>NORWEGIAN</source>
        <translation>NORUEGO</translation>
    </message>
    <message>
        <source>OCCITAN</source>
        <translation>OCCITANO</translation>
    </message>
    <message>
        <source>ORIYA</source>
        <translation>ORIYA</translation>
    </message>
    <message>
        <source>PASHTO,PUSHTO</source>
        <translation>PASTÚN</translation>
    </message>
    <message>
        <source>PERSIAN (farsi)</source>
        <translation>PERSA (farsi)</translation>
    </message>
    <message>
        <source>POLISH</source>
        <translation>POLACO</translation>
    </message>
    <message>
        <source>PORTUGUESE</source>
        <translation>PORTUGUÉS</translation>
    </message>
    <message>
        <source>PUNJABI</source>
        <translation>PANYABÍ</translation>
    </message>
    <message>
        <source>QUECHUA</source>
        <translation>QUECHUA</translation>
    </message>
    <message>
        <source>RHAETO-ROMANCE</source>
        <translation>RETORROMÁNICO</translation>
    </message>
    <message>
        <source>ROMANIAN</source>
        <translation>RUMANO</translation>
    </message>
    <message>
        <source>RUSSIAN</source>
        <translation>RUSO</translation>
    </message>
    <message>
        <source>SAMOAN</source>
        <translation>SAMOANO</translation>
    </message>
    <message>
        <source>SANGHO</source>
        <translation>SANGO</translation>
    </message>
    <message>
        <source>SANSKRIT</source>
        <translation>SÁNSCRITO</translation>
    </message>
    <message>
        <source>SCOTS</source>
        <translation>ESCOCÉS</translation>
    </message>
    <message>
        <source>SERBIAN</source>
        <translation>SERBIO</translation>
    </message>
    <message>
        <source>SERBO-CROATIAN</source>
        <translation>SERBOCROATA</translation>
    </message>
    <message>
        <source>SESOTHO</source>
        <translation>SESOTHO</translation>
    </message>
    <message>
        <source>SETSWANA</source>
        <translation>SETSUANA</translation>
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
        <translation>CINGALÉS</translation>
    </message>
    <message>
        <source>SISWATI</source>
        <translation>SUAZI</translation>
    </message>
    <message>
        <source>SLOVAK</source>
        <translation>ESLOVACO</translation>
    </message>
    <message>
        <source>SLOVENIAN</source>
        <translation>ESLOVENO</translation>
    </message>
    <message>
        <source>SOMALI</source>
        <translation>SOMALÍ</translation>
    </message>
    <message>
        <source>SPANISH</source>
        <translation>ESPAÑOL</translation>
    </message>
    <message>
        <source>SUNDANESE</source>
        <translation>SUNDANÉS</translation>
    </message>
    <message>
        <source>SWAHILI</source>
        <translation>SUAJILI</translation>
    </message>
    <message>
        <source>SWEDISH</source>
        <translation>SUECO</translation>
    </message>
    <message>
        <source>TAGALOG</source>
        <translation>TAGALO</translation>
    </message>
    <message>
        <source>TAJIK</source>
        <translation>TAYIKO</translation>
    </message>
    <message>
        <source>TAMIL</source>
        <translation>TAMIL</translation>
    </message>
    <message>
        <source>TATAR</source>
        <translation>TÁRTARO</translation>
    </message>
    <message>
        <source>TELUGU</source>
        <translation>TELUGU</translation>
    </message>
    <message>
        <source>THAI</source>
        <translation>TAILANDÉS</translation>
    </message>
    <message>
        <source>TIBETAN</source>
        <translation>TIBETANO</translation>
    </message>
    <message>
        <source>TIGRINYA</source>
        <translation>TIGRIÑA</translation>
    </message>
    <message>
        <source>TONGA</source>
        <translation>TONGANO</translation>
    </message>
    <message>
        <source>TSONGA</source>
        <translation>TSONGA</translation>
    </message>
    <message>
        <source>TURKISH</source>
        <translation>TURCO</translation>
    </message>
    <message>
        <source>TURKMEN</source>
        <translation>TURCOMANO</translation>
    </message>
    <message>
        <source>TWI</source>
        <translation>TWI</translation>
    </message>
    <message>
        <source>UKRAINIAN</source>
        <translation>UCRANIANO</translation>
    </message>
    <message>
        <source>URDU</source>
        <translation>URDU</translation>
    </message>
    <message>
        <source>UZBEK</source>
        <translation>UZBEKO</translation>
    </message>
    <message>
        <source>VIETNAMESE</source>
        <translation>VIETNAMITA</translation>
    </message>
    <message>
        <source>VOLAPUK</source>
        <translation>VOLAPUK</translation>
    </message>
    <message>
        <source>WELSH</source>
        <translation>GALÉS</translation>
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
        <translation>YIDIS</translation>
    </message>
    <message>
        <source>YORUBA</source>
        <translation>YORUBA</translation>
    </message>
    <message>
        <source>ZULU</source>
        <translation>ZULÚ</translation>
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
        <translation>Negrita</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Cursiva</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Subrayado</translation>
    </message>
    <message>
        <source>Bold+Italic</source>
        <translation>Negrita+Cursiva</translation>
    </message>
    <message>
        <source>Bold+Under</source>
        <translation>Negrita+Subr.</translation>
    </message>
    <message>
        <source>Bold+It+Und</source>
        <translation>Negr+Curs+Subr</translation>
    </message>
    <message>
        <source>Italic+Under</source>
        <translation>Cursiva+Subr.</translation>
    </message>
    <message>
        <source>StrikeOut</source>
        <translation>Tachado</translation>
    </message>
    <message>
        <source>ARABIC</source>
        <translation>ÁRABE</translation>
    </message>
    <message>
        <source>BALTIC</source>
        <translation>BÁLTICO</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>PREDETERMINADO</translation>
    </message>
    <message>
        <source>EASTEUROPE</source>
        <translation>EUROPA DEL ESTE</translation>
    </message>
    <message>
        <source>GREEK</source>
        <translation>GRIEGO</translation>
    </message>
    <message>
        <source>HEBREW</source>
        <translation>HEBREO</translation>
    </message>
    <message>
        <source>RUSSIAN</source>
        <translation>RUSO</translation>
    </message>
    <message>
        <source>SYMBOL</source>
        <translation>SÍMBOLO</translation>
    </message>
    <message>
        <source>THAI</source>
        <translation>TAILANDÉS</translation>
    </message>
    <message>
        <source>TURKISH</source>
        <translation>TURCO</translation>
    </message>
    <message>
        <source>VIETNAMESE</source>
        <translation>VIETNAMITA</translation>
    </message>
    <message>
        <source>center</source>
        <translation>centro</translation>
    </message>
    <message>
        <source>left</source>
        <translation>izquierda</translation>
    </message>
    <message>
        <source>right</source>
        <translation>derecha</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminada</translation>
    </message>
</context>
<context>
    <name>lumelle::RunNotes</name>
    <message>
        <source>%1 The %2 was written as %3.</source>
        <translation>%1 En su lugar se escribió (%2): %3.</translation>
    </message>
    <message>
        <source>%1 was left as it is: %2.</source>
        <translation>%1 se dejó como estaba: %2.</translation>
    </message>
    <message>
        <source>it is an input or an earlier output of this run</source>
        <translation>es una entrada o una salida anterior de esta conversión</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>it holds &quot;%1&quot;, which is not a file of the set</source>
        <translation>contiene «%1», que no es un archivo del conjunto</translation>
    </message>
    <message>
        <source>it is not %1</source>
        <translation>no es %1</translation>
    </message>
    <message>
        <source>a help file of this program</source>
        <translation>un archivo de ayuda de este programa</translation>
    </message>
    <message>
        <source>a VobSub file</source>
        <translation>un archivo VobSub</translation>
    </message>
    <message>
        <source>a DVD .sup file</source>
        <translation>un archivo .sup de DVD</translation>
    </message>
    <message>
        <source>PNG picture</source>
        <translation>una imagen PNG</translation>
    </message>
    <message>
        <source>BDN XML file</source>
        <translation>un archivo XML BDN</translation>
    </message>
    <message>
        <source>Blu-ray PGS file</source>
        <translation>un archivo PGS de Blu-ray</translation>
    </message>
    <message>
        <source>pair</source>
        <translation>par</translation>
    </message>
    <message>
        <source>files</source>
        <translation>archivos</translation>
    </message>
    <message>
        <source>.sup file</source>
        <translation>archivo .sup</translation>
    </message>
    <message>
        <source>index</source>
        <translation>índice</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Streams of this pair: %1. mkvmerge marks every stream default unless told: mkvmerge -o OUTPUT.mkv VIDEO%2 %3</source>
        <translation>Pistas de este par: %1. mkvmerge marca todas las pistas como predeterminadas salvo que se le indique: mkvmerge -o OUTPUT.mkv VIDEO%2 %3</translation>
    </message>
    <message>
        <source>%1 (default)</source>
        <translation>%1 (predeterminada)</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for more than one text colour in one picture and is drawn in one of them.</source>
        <translation>El subtítulo %1 pide más de un color de texto en una imagen y se dibuja en uno de ellos.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for more than one text colour in one picture and are drawn in one of them.</source>
        <translation>Los subtítulos %1 piden más de un color de texto en una imagen y se dibujan en uno de ellos.</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for more text colours than a DVD picture can show (three inks: outline and two text colours) and is drawn in the nearest of them.</source>
        <translation>El subtítulo %1 pide más colores de texto de los que puede mostrar una imagen de DVD (tres tintas: contorno y dos colores de texto) y se dibuja en el más cercano de ellos.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for more text colours than a DVD picture can show (three inks: outline and two text colours) and are drawn in the nearest of them.</source>
        <translation>Los subtítulos %1 piden más colores de texto de los que puede mostrar una imagen de DVD (tres tintas: contorno y dos colores de texto) y se dibujan en el más cercano de ellos.</translation>
    </message>
    <message>
        <source>Subtitle %1 asks for colours beyond the 16 of the palette and is drawn in the nearest colour it holds.</source>
        <translation>El subtítulo %1 pide colores fuera de los 16 de la paleta y se dibuja en el color más cercano que contiene.</translation>
    </message>
    <message>
        <source>Subtitles %1 ask for colours beyond the 16 of the palette and are drawn in the nearest colour it holds.</source>
        <translation>Los subtítulos %1 piden colores fuera de los 16 de la paleta y se dibujan en el color más cercano que contiene.</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 y %2 más</translation>
    </message>
    <message>
        <source>1 subtitle holds characters that no installed font can draw; they show as empty boxes. Install a font for their script (the README names the Debian packages):</source>
        <translation>1 subtítulo contiene caracteres que ninguna fuente instalada puede dibujar; se muestran como cuadros vacíos. Instale una fuente para su escritura (el README indica los paquetes de Debian):</translation>
    </message>
    <message>
        <source>%1 subtitles hold characters that no installed font can draw; they show as empty boxes. Install a font for their script (the README names the Debian packages):</source>
        <translation>%1 subtítulos contienen caracteres que ninguna fuente instalada puede dibujar; se muestran como cuadros vacíos. Instale una fuente para su escritura (el README indica los paquetes de Debian):</translation>
    </message>
    <message>
        <source>subtitle %1: %2</source>
        <translation>subtítulo %1: %2</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... y %1 más.</translation>
    </message>
    <message>
        <source>Subtitle %1 is shown %2 ms after its start: a Blu-ray player needs that long to decode the first picture.</source>
        <translation>El subtítulo %1 se muestra %2 ms después de su inicio: un reproductor Blu-ray necesita ese tiempo para decodificar la primera imagen.</translation>
    </message>
    <message>
        <source>%1 steps of animated subtitles are left out: a Blu-ray player could not decode them before they end.</source>
        <translation>Se omiten %1 pasos de subtítulos animados: un reproductor Blu-ray no podría decodificarlos antes de que terminen.</translation>
    </message>
    <message>
        <source>%1 pictures are shown up to %2 ms after their start: a Blu-ray player needs the time to decode each after the one before.</source>
        <translation>%1 imágenes se muestran hasta %2 ms después de su inicio: un reproductor Blu-ray necesita ese tiempo para decodificar cada una después de la anterior.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 y %2</translation>
    </message>
</context>
<context>
    <name>lumelle::LoadedPictures</name>
    <message>
        <source>forced</source>
        <translation>forzado</translation>
    </message>
</context>
<context>
    <name>lumelle::TForm1</name>
    <message>
        <source>Last VobSub pair written to %1</source>
        <translation>Último par VobSub escrito en %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>This desktop has no program that opens folders. The VobSub pair is in:<byte value="xd"/>%1</source>
        <translation>Este escritorio no tiene ningún programa para abrir carpetas. El par VobSub está en:<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Output folder:</source>
        <translation>Carpeta de salida:</translation>
    </message>
    <message>
        <source>beside the subtitle file</source>
        <translation>junto al archivo de subtítulos</translation>
    </message>
    <message>
        <source>Choose Folder...</source>
        <translation>Elegir carpeta...</translation>
    </message>
    <message>
        <source>Beside Subtitle</source>
        <translation>Junto al subtítulo</translation>
    </message>
    <message>
        <source>Choose the folder for the VobSub pair</source>
        <translation>Elija la carpeta para el par VobSub</translation>
    </message>
    <message>
        <source>The folder name has a line break, which the settings file cannot keep. Please choose another folder.</source>
        <translation>El nombre de la carpeta contiene un salto de línea que el archivo de ajustes no puede guardar. Elija otra carpeta.</translation>
    </message>
    <message>
        <source>The folder of the subtitle file cannot be written:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choose another folder for the VobSub pair?</source>
        <translation>No se puede escribir en la carpeta del archivo de subtítulos:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>¿Elegir otra carpeta para el par VobSub?</translation>
    </message>
    <message>
        <source>The output folder cannot be written:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>Choose another folder for the VobSub pair?</source>
        <translation>No se puede escribir en la carpeta de salida:<byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>¿Elegir otra carpeta para el par VobSub?</translation>
    </message>
    <message>
        <source>Lumelle By Orvane</source>
        <translation>Lumelle por Orvane</translation>
    </message>
    <message>
        <source>Lumelle By Orvane Loading Subtitle...</source>
        <translation>Lumelle por Orvane – cargando subtítulos...</translation>
    </message>
    <message>
        <source>Lumelle By Orvane Checking Subtitle Length...</source>
        <translation>Lumelle por Orvane – comprobando la longitud...</translation>
    </message>
    <message>
        <source>Generate Vobsub</source>
        <translation>Generar VobSub</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Load SRT</source>
        <translation>Cargar SRT</translation>
    </message>
    <message>
        <source>Subtitle Style Modified/Loaded Successfully</source>
        <translation>Subtítulos cargados/estilo modificado correctamente</translation>
    </message>
    <message>
        <source>Load 720x576 PAL image</source>
        <translation>Cargar imagen PAL 720x576</translation>
    </message>
    <message>
        <source>Load your PAL 720x576 BMP|*.bmp</source>
        <translation>BMP PAL 720x576|*.bmp</translation>
    </message>
    <message>
        <source>Load 720x480 NTSC image</source>
        <translation>Cargar imagen NTSC 720x480</translation>
    </message>
    <message>
        <source>Load your NTSC 720x480 BMP|*.bmp</source>
        <translation>BMP NTSC 720x480|*.bmp</translation>
    </message>
    <message>
        <source>ProgressBar</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Load Srt,Sub</source>
        <translation>Cargar Srt,Sub</translation>
    </message>
    <message>
        <source>Fps</source>
        <translation>Fps</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>Language </source>
        <translation>Idioma </translation>
    </message>
    <message>
        <source>Render Fonts</source>
        <translation>Fuente</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>Fuente</translation>
    </message>
    <message>
        <source>Font Charset</source>
        <translation>Juego de car.</translation>
    </message>
    <message>
        <source>Font Style</source>
        <translation>Estilo</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Alinear</translation>
    </message>
    <message>
        <source>Offsets</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Borde</translation>
    </message>
    <message>
        <source>Wrap long lines</source>
        <translation>Partir líneas largas</translation>
    </message>
    <message>
        <source>Break lines too wide for the frame at a space instead of refusing them</source>
        <translation>Partir por un espacio las líneas demasiado anchas en vez de rechazarlas</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>Antialias</source>
        <translation>Suavizado</translation>
    </message>
    <message>
        <source>Outine</source>
        <translation>Borde</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Color Options</source>
        <translation>Opciones color</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Ajustes generales</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Valores por</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>defecto</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>imágenes</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Not enough memory to finish this.</source>
        <translation>No hay memoria suficiente para terminar.</translation>
    </message>
    <message>
        <source>This is subtitle %1.</source>
        <translation>Es el subtítulo %1.</translation>
    </message>
    <message>
        <source>Even with &quot;Wrap long lines&quot; a word of it is wider than the frame.</source>
        <translation>Incluso con «Partir líneas largas», una de sus palabras es más ancha que la imagen.</translation>
    </message>
    <message>
        <source>Tick &quot;Wrap long lines&quot; to break it at a space instead.</source>
        <translation>Marque «Partir líneas largas» para partirla por un espacio.</translation>
    </message>
    <message>
        <source>The subtitle is taller than the frame. Please use a smaller font size.</source>
        <translation>El subtítulo es más alto que la imagen. Use un tamaño de fuente menor.</translation>
    </message>
    <message>
        <source>Operation Aborted</source>
        <translation>Operación cancelada</translation>
    </message>
    <message>
        <source>Please load an Srt/Sub/Txt subtitle.</source>
        <translation>Cargue un subtítulo Srt/Sub/Txt.</translation>
    </message>
    <message>
        <source>Please use smaller font.</source>
        <translation>Use una fuente más pequeña.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>The styles of the ASS/SSA script decide this.</source>
        <translation>Lo deciden los estilos del guion ASS/SSA.</translation>
    </message>
    <message>
        <source>forced</source>
        <translation>forzados</translation>
    </message>
    <message>
        <source>loaded file</source>
        <translation>archivo cargado</translation>
    </message>
    <message>
        <source>Output Form and Languages</source>
        <translation>Formato de salida e idiomas</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Escribir</translation>
    </message>
    <message>
        <source>Languages in the output</source>
        <translation>Idiomas en la salida</translation>
    </message>
    <message>
        <source>Each file becomes one subtitle stream; players choose the first one first.<byte value="xd"/>Delete removes the selected file.</source>
        <translation>Cada archivo se convierte en una pista de subtítulos; los reproductores eligen primero la primera.<byte value="xd"/>Supr quita el archivo elegido.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Forced</source>
        <translation>Forzados</translation>
    </message>
    <message>
        <source>Shown even when the viewer turned subtitles off (foreign dialogue, signs)</source>
        <translation>Se muestran aunque el espectador haya desactivado los subtítulos (diálogos extranjeros, carteles)</translation>
    </message>
    <message>
        <source>Add File...</source>
        <translation>Añadir archivo...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Several languages need the VobSub pair: a .sup file holds one.</source>
        <translation>Varios idiomas necesitan el par VobSub: un archivo .sup contiene uno solo.</translation>
    </message>
    <message>
        <source>WebVTT: rolling captions shown once</source>
        <translation>WebVTT: subtítulos rodantes una vez</translation>
    </message>
    <message>
        <source>WebVTT captions typed as they are spoken repeat every line in the next cue: read them so that each line shows once</source>
        <translation>Los subtítulos WebVTT escritos mientras se habla repiten cada línea en la siguiente entrada: leerlos para que cada línea se muestre una vez</translation>
    </message>
    <message>
        <source>(no file loaded)</source>
        <translation>(ningún archivo cargado)</translation>
    </message>
    <message>
        <source>The loaded file&apos;s language is chosen in the Output group</source>
        <translation>El idioma del archivo cargado se elige en el grupo Salida</translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation>%1 ya está en la lista.</translation>
    </message>
    <message>
        <source>no subtitle in it</source>
        <translation>no contiene ningún subtítulo</translation>
    </message>
    <message>
        <source>Add a subtitle file of another language</source>
        <translation>Añadir un archivo de subtítulos de otro idioma</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds one language. Remove the added files or write the VobSub pair.</source>
        <translation>«%1» contiene un solo idioma. Quite los archivos añadidos o escriba el par VobSub.</translation>
    </message>
    <message>
        <source>This is subtitle %1 of %2.</source>
        <translation>Es el subtítulo %1 de %2.</translation>
    </message>
    <message>
        <source>VobSub pair (.idx/.sub)</source>
        <translation>Par VobSub (.idx/.sub)</translation>
    </message>
    <message>
        <source>DVD .sup (authoring programs)</source>
        <translation>DVD .sup (programas de autoría)</translation>
    </message>
    <message>
        <source>VobSub pair and DVD .sup</source>
        <translation>Par VobSub y DVD .sup</translation>
    </message>
    <message>
        <source>BDN XML and PNG (Blu-ray authoring)</source>
        <translation>BDN XML y PNG (autoría Blu-ray)</translation>
    </message>
    <message numerus="yes">
        <source>Keep the %n subtitles written so far? The earlier pair will be replaced.</source>
        <translation>
            <numerusform>¿Conservar el %n subtítulo escrito hasta ahora? El par anterior será reemplazado.</numerusform>
            <numerusform>¿Conservar los %n subtítulos escritos hasta ahora? El par anterior será reemplazado.</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep the 1 subtitle written so far? The earlier pair will be replaced.</source>
        <translation>¿Conservar el subtítulo escrito hasta ahora? El par anterior será reemplazado.</translation>
    </message>
    <message>
        <source>This desktop has no program that opens folders. The subtitles are in:<byte value="xd"/>%1</source>
        <translation>Este escritorio no tiene ningún programa que abra carpetas. Los subtítulos están en:<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>All done: 1 subtitle picture written, at %1 and %2 frames a second.</source>
        <translation>Terminado: 1 imagen de subtítulo escrita, en %1 a %2 fotogramas por segundo.</translation>
    </message>
    <message numerus="yes">
        <source>All done: %n subtitle pictures written, at %1 and %2 frames a second.</source>
        <translation>
            <numerusform>Terminado: %n imagen de subtítulo escrita, en %1 a %2 fotogramas por segundo.</numerusform>
            <numerusform>Terminado: %n imágenes de subtítulos escritas, en %1 a %2 fotogramas por segundo.</numerusform>
        </translation>
    </message>
    <message>
        <source>Blu-ray frame</source>
        <translation>Tamaño Blu-ray</translation>
    </message>
    <message>
        <source>The frame size of the video the Blu-ray subtitles go with: they are drawn, checked and written at it</source>
        <translation>El tamaño de imagen del vídeo de los subtítulos Blu-ray: se dibujan, comprueban y escriben a ese tamaño</translation>
    </message>
    <message>
        <source>Blu-ray .sup (PGS)</source>
        <translation>Blu-ray .sup (PGS)</translation>
    </message>
    <message>
        <source>Blu-ray video has no %1x%2 picture at the frame rate %3. Choose a frame size and frame rate of Blu-ray video: %4.</source>
        <translation>El vídeo Blu-ray no tiene imagen de %1x%2 a la frecuencia %3. Elija un tamaño y una frecuencia de imagen del vídeo Blu-ray: %4.</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>Files of more languages are added to a text subtitle only.</source>
        <translation>Los archivos de más idiomas solo se añaden a un subtítulo de texto.</translation>
    </message>
    <message>
        <source>Some of this file could not be read; the rest is loaded:</source>
        <translation>Parte de este archivo no se pudo leer; el resto está cargado:</translation>
    </message>
    <message>
        <source>(%1 more)</source>
        <translation>(%1 más)</translation>
    </message>
    <message>
        <source>No subtitle picture could be read from this file.</source>
        <translation>No se pudo leer ninguna imagen de subtítulo de este archivo.</translation>
    </message>
    <message>
        <source>This file holds %1 streams: %2. The window shows and writes stream %3, the one players pick first; lumelle-convert --stream-index N converts another, or every stream into one VobSub pair.</source>
        <translation>Este archivo contiene %1 pistas: %2. La ventana muestra y escribe la pista %3, la que los reproductores eligen primero; lumelle-convert --stream-index N convierte otra, o todas las pistas en un par VobSub.</translation>
    </message>
    <message>
        <source>A picture subtitle is converted as its pictures are drawn: this does not apply to it.</source>
        <translation>Un subtítulo de imágenes se convierte tal como están dibujadas sus imágenes: esto no se aplica a él.</translation>
    </message>
</context>
<context>
    <name>lumelle::TForm2</name>
    <message>
        <source>Lumelle convert&apos;s txt subtitles to Vobsubs (idx/sub) in order to put them in a Dvd Device Player.that supports vobsub subtitles.</source>
        <translation>Lumelle convierte subtítulos de texto en VobSub (idx/sub) para reproducirlos en un reproductor de DVD que admita subtítulos VobSub.</translation>
    </message>
    <message>
        <source>The official site is : %1 .</source>
        <translation>El sitio oficial es: %1 .</translation>
    </message>
    <message>
        <source>For any suggestions please visit our forums :  %1</source>
        <translation>Para cualquier sugerencia, visite nuestros foros:  %1</translation>
    </message>
    <message>
        <source>Important Update : Lumelle is NOT a GUI anymore. From now on is an standalone application (its old companion program is not used now)</source>
        <translation>Actualización importante: Lumelle ya NO es una interfaz gráfica. Ahora es una aplicación independiente (su antiguo programa acompañante ya no se usa)</translation>
    </message>
    <message>
        <source>Usage : </source>
        <translation>Uso: </translation>
    </message>
    <message>
        <source>1) Just load your srt. At this time the program looks the width of every textual </source>
        <translation>1) Cargue su srt. En ese momento el programa mide el ancho de cada </translation>
    </message>
    <message>
        <source>subtitle in order to fit it on the video screen.</source>
        <translation>subtítulo para que quepa en la imagen de vídeo.</translation>
    </message>
    <message>
        <source>2) If the srt loads correctly then choose the correct fps and press &apos;Generate VobSub&apos;. </source>
        <translation>2) Si el srt se carga bien, elija la velocidad de fotogramas correcta y pulse «Generar VobSub». </translation>
    </message>
    <message>
        <source>Otherwise try to edit the srt or just pick a smaller font.</source>
        <translation>Si no, edite el srt o elija una fuente más pequeña.</translation>
    </message>
    <message>
        <source>3) Further informations will be Generated in an txt file. Just read them !</source>
        <translation>3) Se escribe más información en un archivo txt. ¡Léala!</translation>
    </message>
    <message>
        <source>*Tip : If your vobsub file does not shows up at your movie all just </source>
        <translation>*Consejo: si su VobSub no aparece en la película, </translation>
    </message>
    <message>
        <source>try to move the subtitle upper</source>
        <translation>pruebe a subir el subtítulo</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Current version :</source>
        <translation>Versión actual:</translation>
    </message>
    <message>
        <source>Special Thanks to:</source>
        <translation>Agradecimientos a:</translation>
    </message>
    <message>
        <source>The Qt Project, whose toolkit draws every window and letter</source>
        <translation>el proyecto Qt, cuyo kit dibuja cada ventana y cada letra</translation>
    </message>
    <message>
        <source>FFmpeg and MKVToolNix, which read back every VobSub we make</source>
        <translation>FFmpeg y MKVToolNix, que leen cada VobSub que creamos</translation>
    </message>
    <message>
        <source>The DejaVu and Liberation fonts, the faces on our screens</source>
        <translation>las fuentes DejaVu y Liberation de nuestras pantallas</translation>
    </message>
    <message>
        <source>Visit the official site %1</source>
        <translation>Visitar el sitio oficial %1</translation>
    </message>
    <message>
        <source>Check Version</source>
        <translation>Comprobar versión</translation>
    </message>
    <message>
        <source>Mux Vobsubs (Multilanguage support)</source>
        <translation>Multiplexar VobSub (multilingüe)</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Donar</translation>
    </message>
</context>
<context>
    <name>lumelle::TFormColorOptions</name>
    <message>
        <source>Color Options</source>
        <translation>Opciones color</translation>
    </message>
    <message>
        <source>Select Method</source>
        <translation>Elegir método</translation>
    </message>
    <message>
        <source>Colors Example</source>
        <translation>Ejemplo de colores</translation>
    </message>
    <message>
        <source>I want to use the vobsub on :</source>
        <translation>Quiero usar el VobSub en:</translation>
    </message>
    <message>
        <source>PC ONLY</source>
        <translation>SOLO PC</translation>
    </message>
    <message>
        <source>RGB palette is generated. Standard vobsub. This solution will not display the correct colors on the most of the dvd devices that support sub/idx subtitles</source>
        <translation>Se genera una paleta RGB. VobSub estándar. La mayoría de los reproductores DVD compatibles con sub/idx no mostrarán los colores correctos.</translation>
    </message>
    <message>
        <source>DVD ONLY</source>
        <translation>SOLO DVD</translation>
    </message>
    <message>
        <source>YCRCB palette is generated. This solution works on well on standalone dvd devices that support sub/idx but does not render correctly the colors on pc . In order to watch the subtitles on pc enable poligonize on directvobsub filter. </source>
        <translation>Se genera una paleta YCrCb. Funciona bien en reproductores DVD compatibles con sub/idx, pero en el PC los colores no son correctos. Para ver los subtítulos en el PC active «polygonize» en el filtro DirectVobSub. </translation>
    </message>
    <message>
        <source>PC + DVD By using two palettes (recommended)</source>
        <translation>PC + DVD con dos paletas (recomendado)</translation>
    </message>
    <message>
        <source>Both palettes are being generated. Most recommended solution at this time. </source>
        <translation>Se generan ambas paletas. La solución más recomendada por ahora. </translation>
    </message>
    <message>
        <source>PC + DVD By using an safe color palette</source>
        <translation>PC + DVD con una paleta de colores segura</translation>
    </message>
    <message>
        <source>Hybrid palette is generated. Since RGB and YCRCB have some similar colors, an palette that is indipendent from RGB/YCRCB can be found. This solution offers strange colors and you might notice a small color difference playing the subtitles from pc to dvd.</source>
        <translation>Se genera una paleta híbrida. Como RGB e YCrCb tienen colores parecidos, se puede encontrar una paleta independiente de RGB/YCrCb. Los colores son poco habituales y puede notarse una pequeña diferencia entre PC y DVD.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Some DVD Devices may want the original IFO in order to get correct colors! In this case use the &apos;PC + DVD By using two palettes&apos; and download the ifo below. Further instuctions will be generated on the Lumelle_Help_File.txt</source>
        <translation>¡Algunos reproductores DVD necesitan el IFO original para mostrar los colores correctos! En ese caso use «PC + DVD con dos paletas» y descargue el IFO de abajo. Encontrará más instrucciones en Lumelle_Help_File.txt.</translation>
    </message>
    <message>
        <source>Download Ifo</source>
        <translation>Descargar IFO</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>stand-alone DVD and DivX players</source>
        <translation>reproductores de DVD y DivX de salón</translation>
    </message>
    <message>
        <source>DVD authoring</source>
        <translation>autoría de DVD</translation>
    </message>
    <message>
        <source>mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge</source>
        <translation>mpv, VLC, reproductores basados en ffmpeg, archivos Matroska hechos con mkvmerge</translation>
    </message>
    <message>
        <source>players with the custom-colour extension</source>
        <translation>reproductores con la extensión de colores propios</translation>
    </message>
    <message>
        <source>Shows the colours right in: %1.</source>
        <translation>Colores correctos en: %1.</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>mpv, VLC and ffmpeg show white text pink.</source>
        <translation>mpv, VLC y ffmpeg muestran el texto blanco en rosa.</translation>
    </message>
</context>
<context>
    <name>lumelle::UpdateCheck</name>
    <message>
        <source>Max Updaters created</source>
        <translation>Se alcanzó el máximo de comprobaciones</translation>
    </message>
    <message>
        <source>Server Down. Retry later. Error : </source>
        <translation>Servidor no disponible. Inténtelo más tarde. Error: </translation>
    </message>
    <message>
        <source>You are Offline. Connect to internet and retry. Error : </source>
        <translation>No tiene conexión. Conéctese a internet e inténtelo de nuevo. Error: </translation>
    </message>
    <message>
        <source>No updates found.</source>
        <translation>No se encontraron actualizaciones.</translation>
    </message>
    <message>
        <source>Update Found. Version :</source>
        <translation>Actualización encontrada. Versión: </translation>
    </message>
    <message>
        <source>Update Now ?</source>
        <translation>¿Actualizar ahora?</translation>
    </message>
</context>
</TS>
