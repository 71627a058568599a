#include "app/batch/batch_option_table.h"

#include "engine/rename_settings.h"
#include "list/file_entry.h"

namespace {

// Values are the padding characters; 0 pads nothing.
constexpr BatchChoice kLeadZeroChoices[] = {
    {"keine", 0, true},
    {"null", '0', true},
    {"leerzeichen", ' ', true},
    {"unterstrich", '_', true},
};

constexpr BatchChoice kCaseChoices[] = {
    {"beibehalten", static_cast<int>(LetterCase::Keep), true},
    {"gross", static_cast<int>(LetterCase::AllCapitals), true},
    {"groß", static_cast<int>(LetterCase::AllCapitals), false},
    {"klein", static_cast<int>(LetterCase::AllSmall), true},
    {"anfangs", static_cast<int>(LetterCase::FirstCapital), true},
    {"woerter", static_cast<int>(LetterCase::EachWord), true},
    {"wörter", static_cast<int>(LetterCase::EachWord), false},
};

// Values are the columns the list is sorted by: size and date by their sort keys.
constexpr BatchChoice kSortChoices[] = {
    {"name", AlterNameColumn, true},
    {"ordner", InOrdnerColumn, true},
    {"groesse", SortGroesseColumn, true},
    {"größe", SortGroesseColumn, false},
    {"typ", TypColumn, true},
    {"datum", SortDatumColumn, true},
    {"keine", kKeepGivenOrder, true},
};

// In the order of --help and the manual page. Help lines are wrapped by hand to fit 80 columns
// after the option column; the manual's paragraphs are roff, filled by man.
constexpr BatchOption kOptions[] = {
    {.id = BatchOptionId::Mask,
     .longName = "mask",
     .shortName = 'm',
     .valueName = "TEXT",
     .kind = BatchValueKind::Text,
     .defaultValue = "[NAME][TYP]",
     .help = "Maske (Vorgabe: [NAME][TYP]); Platzhalter [NAME], [TYP],\n"
             "[ZAHL], [DATUM], [RDATUM], [TAG], [MONAT], [JAHR], [ZEIT],\n"
             "[STUNDE] oder [H], [MINUTE] oder [M], [SEKUNDE] oder [S]\n"
             "und Bereiche des Namens wie [3-5] oder [R2,4]",
     .manual = R"(Die Maske, aus der jeder neue Name entsteht (Vorgabe:
.BR [NAME][TYP] );
siehe
.BR MASKE .)"},
    {.id = BatchOptionId::Start,
     .longName = "start",
     .valueName = "N",
     .kind = BatchValueKind::Number,
     .defaultValue = "1",
     .help = "Startwert des Zählers (Vorgabe: 1; größere Werte als\n"
             "99999999 werden auf 99999999 begrenzt)",
     .manual = R"(Startwert des Zählers, nur Ziffern (Vorgabe: 1).
Größere Werte als 99999999 werden auf 99999999 begrenzt.)"},
    {.id = BatchOptionId::Step,
     .longName = "step",
     .valueName = "N",
     .kind = BatchValueKind::Number,
     .defaultValue = "1",
     .help = "Schrittweite des Zählers (Vorgabe: 1; höchstens 99999)",
     .manual = R"(Schrittweite des Zählers, nur Ziffern (Vorgabe: 1).
Größere Werte als 99999 werden auf 99999 begrenzt.
Mit 0 erhalten alle Dateien dieselbe Zahl.
Die Zahl einer Datei ist Start + (Position \- 1) × Schrittweite.)"},
    {.id = BatchOptionId::Digits,
     .longName = "digits",
     .valueName = "N",
     .kind = BatchValueKind::Number,
     .help = "Stellenzahl des Zählers (Vorgabe: die kleinste, die für\n"
             "den letzten Zählerwert reicht); eine kleinere oder eine\n"
             "größere als 12 lehnt den Plan ab. Ohne --lead-zeros gilt\n"
             "dabei --lead-zeros null",
     .manual =
         R"(Stellenzahl des Zählers (Vorgabe: die kleinste, die für den letzten Zählerwert reicht).
Eine kleinere als diese oder eine größere als 12 lehnt den Plan ab.
Ohne
.B \-\-lead\-zeros
gilt dabei
.BR "\-\-lead\-zeros null" .)"},
    {.id = BatchOptionId::LeadZeros,
     .longName = "lead-zeros",
     .valueName = "ART",
     .kind = BatchValueKind::Word,
     .choices = kLeadZeroChoices,
     .defaultValue = "keine",
     .help = "Füllzeichen vor dem Zähler: keine, null, leerzeichen,\n"
             "unterstrich (Vorgabe: keine)",
     .manual = R"(Womit der Zähler links auf die Stellenzahl aufgefüllt wird:
.B keine
(Vorgabe),
.BR null ,
.B leerzeichen
oder
.BR unterstrich .)"},
    {.id = BatchOptionId::Case,
     .longName = "case",
     .valueName = "ART",
     .kind = BatchValueKind::Word,
     .choices = kCaseChoices,
     .defaultValue = "beibehalten",
     .help = "Schreibweise: beibehalten, gross, klein, anfangs,\n"
             "woerter (Vorgabe: beibehalten); woerter schreibt jedes\n"
             "Wort groß, das am Anfang oder nach Leerzeichen, -, _, .,\n"
             "( oder [ beginnt, die Endung klein",
     .manual = R"(Schreibweise des ganzen neuen Namens, Endung eingeschlossen:
.B beibehalten
(Vorgabe),
.B gross
(auch
.BR groß ;
alle Buchstaben groß),
.B klein
(alle klein),
.B anfangs
(das erste Zeichen groß, alle übrigen klein) oder
.B woerter
(auch
.BR wörter ;
das erste Zeichen jedes Wortes groß, alle übrigen klein; ein Wort beginnt am Anfang und nach
einem Leerzeichen, \(lq\-\(rq, \(lq_\(rq, \(lq.\(rq, \(lq(\(rq oder \(lq[\(rq; die Endung nach dem letzten
Punkt bleibt klein).)"},
    {.id = BatchOptionId::Search,
     .longName = "search",
     .valueName = "TEXT",
     .kind = BatchValueKind::Text,
     .help = "im Namen zu suchender Text (Groß-/Kleinschreibung egal)",
     .manual =
         R"(Text, der im Namen ohne Endung gesucht wird, bevor die Maske ihn verwendet; Groß- und
Kleinschreibung spielen dabei keine Rolle.
Ein leerer Text schaltet Suchen und Ersetzen ab.)"},
    {.id = BatchOptionId::Replace,
     .longName = "replace",
     .valueName = "TEXT",
     .kind = BatchValueKind::Text,
     .help = "Ersatz für den gesuchten Text",
     .manual =
         R"(Der Ersatz für jedes Vorkommen des gesuchten Textes (Vorgabe: leer, das Gefundene wird also
gelöscht).)"},
    {.id = BatchOptionId::Regex,
     .longName = "regex",
     .help = "den gesuchten Text als regulären Ausdruck lesen; alle\n"
             "Treffer werden ersetzt, \\0 im Ersatz steht für den\n"
             "Treffer, \\1 bis \\9 für seine Gruppen",
     .manual =
         R"(Den gesuchten Text als regulären Ausdruck lesen, wie ihn PCRE kennt, ebenfalls ohne
Rücksicht auf Groß- und Kleinschreibung; alle Treffer im Namen ohne Endung werden ersetzt.
Im Ersatz steht \e0 für den ganzen Treffer und \e1 bis \e9 für seine Gruppen.
Ein ungültiger Ausdruck lehnt den Plan ab und nennt die Stelle des Fehlers.)"},
    {.id = BatchOptionId::Sort,
     .longName = "sort",
     .valueName = "NACH",
     .kind = BatchValueKind::Word,
     .choices = kSortChoices,
     .defaultValue = "name",
     .help = "Reihenfolge vor dem Benennen: name, ordner, groesse,\n"
             "typ, datum oder keine (Vorgabe: name); keine behält die\n"
             "Reihenfolge der Angabe",
     .manual = R"(Reihenfolge der Dateien vor dem Benennen, nach der sich der Zähler richtet:
.B name
(Vorgabe),
.BR ordner ,
.B groesse
(auch
.BR größe ),
.BR typ ,
.B datum
(letzte Änderung) oder
.BR keine ,
das die Reihenfolge der Angabe behält.)"},
    {.id = BatchOptionId::Descending,
     .longName = "descending",
     .help = "absteigend sortieren (bei keine ohne Wirkung)",
     .manual = R"(Absteigend sortieren; bei
.B \-\-sort keine
ohne Wirkung.)"},
    {.id = BatchOptionId::FilesFrom,
     .longName = "files-from",
     .valueName = "DATEI",
     .kind = BatchValueKind::Path,
     .help = "weitere Pfade aus DATEI lesen, einen je Zeile, an der\n"
             "Stelle der Option; „-“ liest die Standardeingabe;\n"
             "leere Zeilen werden übergangen, Zeilen dürfen auf\n"
             "\\r\\n enden",
     .manual = R"(Weitere Pfade aus
.I DATEI
lesen, einen je Zeile, an der Stelle der Option;
.B \-
liest die Standardeingabe.
Leere Zeilen werden übergangen, Zeilen dürfen auf \er\en enden.
Ein Eintrag von mehr als 4096 Bytes ist ein Fehler.
Die Option darf mehrmals stehen.)"},
    {.id = BatchOptionId::Null,
     .longName = "null",
     .shortName = '0',
     .help = "Pfade in --files-from durch NUL statt Zeilenende getrennt",
     .manual = R"(Die Pfade in den Listen von
.B \-\-files\-from
sind durch NUL statt durch Zeilenenden getrennt, passend zu
.BR "find \-print0" .)"},
    {.id = BatchOptionId::Recursive,
     .longName = "recursive",
     .shortName = 'r',
     .help = "statt einen Ordner zu übergehen, seine Dateien nehmen,\n"
             "auch die seiner Unterordner; versteckte nicht",
     .manual = R"(Statt einen angegebenen Ordner zu übergehen, seine Dateien nehmen, auch die
seiner Unterordner in jeder Tiefe.
Versteckte Dateien und Ordner (ihr Name beginnt mit einem Punkt) bleiben außen vor,
symbolische Links auf Ordner werden nicht verfolgt, und Ordner selbst werden nie umbenannt.)"},
    {.id = BatchOptionId::Chains,
     .longName = "chains",
     .help = "einen neuen Namen zulassen, den eine andere Datei des\n"
             "Laufs erst frei macht: Verschieben und Tauschen",
     .manual =
         R"(Einen neuen Namen auch zulassen, wenn ihn noch eine andere markierte Datei desselben
Ordners trägt, die im selben Lauf selbst einen anderen Namen erhält: so lassen sich Nummern
verschieben
.RI ( datei01 " bis " datei05 " zu " datei02 " bis " datei06 )
und Namen tauschen.
Geprüft wird dann der Endzustand: jeder neue Name einmal je Ordner und frei von jeder Datei
außerhalb des Laufs.
Der Lauf benennt so der Reihe nach um, dass jedes Ziel frei ist, wenn es an der Reihe ist, und
löst einen Ring über einen vorübergehenden Namen im selben Ordner auf; jeder Schritt steht im
Protokoll, sodass
.B \-\-undo
den ganzen Lauf zurücknimmt, auch nach einem Abbruch.)"},
    {.id = BatchOptionId::Apply,
     .longName = "apply",
     .help = "die Dateien wirklich umbenennen, von der letzten zur\n"
             "ersten; je Umbenennung eine Zeile alt<TAB>neu, sobald\n"
             "sie geschehen ist, am Ende eine Zusammenfassung",
     .manual = R"(Die Dateien wirklich umbenennen.)"},
    {.id = BatchOptionId::Undo,
     .longName = "undo",
     .help = "den letzten Lauf rückgängig machen",
     .manual = R"(Den letzten Lauf rückgängig machen; siehe
.BR "PROTOKOLL UND RÜCKGÄNGIG" .)"},
    {.id = BatchOptionId::List,
     .longName = "list",
     .needs = "undo",
     .help = "das Protokoll der letzten Läufe zeigen",
     .manual = R"(Nur zusammen mit
.BR \-\-undo :
das Protokoll der aufbewahrten Läufe zeigen, den jüngsten zuerst, statt etwas zurückzubenennen.)"},
    {.id = BatchOptionId::Print0,
     .longName = "print0",
     .help = "Umbenennungen als alt, NUL, neu, NUL ausgeben (für\n"
             "Programme) statt als lesbare Zeilen",
     .manual =
         R"(Umbenennungen als alter Pfad, NUL, neuer Pfad, NUL ausgeben, unverändert in ihren Bytes, für
Programme statt für Menschen.)"},
    {.id = BatchOptionId::Help,
     .longName = "help",
     .shortName = 'h',
     .ends = true,
     .help = "diese Hilfe zeigen",
     .manual = R"(Eine Übersicht der Optionen zeigen und beenden.)"},
    {.id = BatchOptionId::Version,
     .longName = "version",
     .ends = true,
     .help = "die Versionsnummer zeigen",
     .manual = R"(Die Versionsnummer zeigen und beenden.)"},
};

}  // namespace

std::span<const BatchOption> batchOptionTable() {
    return kOptions;
}
