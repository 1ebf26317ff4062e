<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>Tockly counts your work time from the fact of input alone: it runs a work clock while you
type or move the mouse, pauses after 30 seconds without input, and never sees what you
type. Without a command it starts the tray application, or hands its links to the one
already running.

Commands (tockly COMMAND --help says more):
  status [--follow] [--json]          the running Tockly&apos;s title and status, for panels
  card                                open or close the card of the running Tockly
  pause                               switch the running Tockly&apos;s automatic tracking off
  resume                              switch it on again
  report [--day yyyy-MM-dd] [--json]  a day&apos;s figures and the records
  sync [FOLDER | --off] [--json]      add up the day across your computers
  doctor                              what Tockly can see on this desktop

Environment: QUENBY_DATA_DIR keeps the work record in $QUENBY_DATA_DIR/Quenby/,
QUENBY_CREW_URL is the crew service&apos;s origin, QUENBY_UPDATE_FEED the update feed.
See tockly(1).</source>
        <translation>Tockly zählt deine Arbeitszeit allein daran, dass du etwas eingibst: Die Arbeitsuhr läuft,
solange du tippst oder die Maus bewegst, pausiert nach 30 Sekunden ohne Eingabe und sieht
nie, was du tippst. Ohne Befehl startet es die App im Benachrichtigungsfeld oder reicht
seine Links an die schon laufende weiter.

Befehle (tockly BEFEHL --help sagt mehr):
  status [--follow] [--json]          Titel und Status des laufenden Tockly, für Leisten
  card                                die Karte des laufenden Tockly öffnen oder schließen
  pause                               die automatische Erfassung ausschalten
  resume                              sie wieder einschalten
  report [--day yyyy-MM-dd] [--json]  die Zahlen eines Tages und die Bestwerte
  sync [FOLDER | --off] [--json]      den Tag über alle deine Computer zusammenzählen
  doctor                              was Tockly auf diesem Desktop sehen kann

Umgebung: QUENBY_DATA_DIR legt die Aufzeichnung in $QUENBY_DATA_DIR/Quenby/ ab,
QUENBY_CREW_URL ist die Adresse des Crew-Dienstes, QUENBY_UPDATE_FEED der Update-Feed.
Siehe tockly(1).</translation>
    </message>
    <message>
        <source>Empty the recorded entries and activity at start.</source>
        <translation>Beim Start die aufgezeichneten Einträge und Aktivitäten leeren.</translation>
    </message>
    <message>
        <source>Check for a newer version one second after start.</source>
        <translation>Eine Sekunde nach dem Start nach einer neueren Version suchen.</translation>
    </message>
    <message>
        <source>quenby://join/CODE offers to join the crew CODE.</source>
        <translation>quenby://join/CODE bietet an, der Crew CODE beizutreten.</translation>
    </message>
    <message>
        <source>[link...]</source>
        <extracomment>The placeholder for links in the usage line of --help.</extracomment>
        <translation>[Link...]</translation>
    </message>
</context>
<context>
    <name>CrewError</name>
    <message>
        <source>Crews are unavailable: the crew service address &quot;%1&quot; (%2) was refused. It must be an https:// origin, or http:// to a loopback address, with no path, query or credentials.</source>
        <extracomment>%1 is the address as written, %2 where it came from (&quot;from QUENBY_CREW_URL&quot;).</extracomment>
        <translation>Crews sind nicht verfügbar: Die Adresse des Crew-Dienstes „%1“ (%2) wurde abgelehnt. Sie muss ein https://-Ursprung sein oder http:// an eine Loopback-Adresse, ohne Pfad, Abfrage oder Zugangsdaten.</translation>
    </message>
    <message>
        <source>from QUENBY_CREW_URL</source>
        <translation>aus QUENBY_CREW_URL</translation>
    </message>
    <message>
        <source>built in</source>
        <translation>fest eingebaut</translation>
    </message>
    <message>
        <source>The crew server&apos;s answer could not be read.</source>
        <translation>Die Antwort des Crew-Servers war nicht lesbar.</translation>
    </message>
    <message>
        <source>That crew code doesn&apos;t exist.</source>
        <translation>Diesen Crew-Code gibt es nicht.</translation>
    </message>
    <message>
        <source>You&apos;re not a member of this crew.</source>
        <translation>Du bist nicht in dieser Crew.</translation>
    </message>
    <message numerus="yes">
        <source>This crew is full: it already has %n members.</source>
        <translation>
            <numerusform>Diese Crew ist voll: Sie hat schon %n Mitglied.</numerusform>
            <numerusform>Diese Crew ist voll: Sie hat schon %n Mitglieder.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the crew&apos;s owner can remove members.</source>
        <translation>Nur wer die Crew gegründet hat, kann Mitglieder entfernen.</translation>
    </message>
    <message>
        <source>Nobody in this crew has that nickname.</source>
        <translation>Niemand in dieser Crew hat diesen Spitznamen.</translation>
    </message>
    <message>
        <source>You can&apos;t remove yourself. Leave the crew instead.</source>
        <translation>Du kannst dich nicht selbst entfernen. Verlass die Crew stattdessen.</translation>
    </message>
    <message>
        <source>Someone in this crew already has that nickname. Please pick another one.</source>
        <translation>Jemand in dieser Crew hat schon diesen Spitznamen. Bitte wähl einen anderen.</translation>
    </message>
    <message>
        <source>Please choose a nickname.</source>
        <translation>Bitte wähl einen Spitznamen.</translation>
    </message>
    <message numerus="yes">
        <source>A nickname can be at most %n characters.</source>
        <translation>
            <numerusform>Ein Spitzname darf höchstens %n Zeichen lang sein.</numerusform>
            <numerusform>Ein Spitzname darf höchstens %n Zeichen lang sein.</numerusform>
        </translation>
    </message>
    <message>
        <source>A nickname can&apos;t contain control characters.</source>
        <translation>Ein Spitzname darf keine Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>Please give the crew a name.</source>
        <translation>Bitte gib der Crew einen Namen.</translation>
    </message>
    <message numerus="yes">
        <source>A crew name can be at most %n characters.</source>
        <translation>
            <numerusform>Ein Crew-Name darf höchstens %n Zeichen lang sein.</numerusform>
            <numerusform>Ein Crew-Name darf höchstens %n Zeichen lang sein.</numerusform>
        </translation>
    </message>
    <message>
        <source>A crew name can&apos;t contain control characters.</source>
        <translation>Ein Crew-Name darf keine Steuerzeichen enthalten.</translation>
    </message>
    <message numerus="yes">
        <source>Only days within %n days of today can be reported.</source>
        <extracomment>A report of days was refused: this computer&apos;s date is far from the service&apos;s.</extracomment>
        <translation>
            <numerusform>Nur Tage, die höchstens %n Tag von heute entfernt sind, können gemeldet werden.</numerusform>
            <numerusform>Nur Tage, die höchstens %n Tage von heute entfernt sind, können gemeldet werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Too many requests. Please wait a minute and try again.</source>
        <translation>Zu viele Anfragen. Bitte warte eine Minute und versuch es noch mal.</translation>
    </message>
    <message>
        <source>Too many connections from your address. Please try again later.</source>
        <translation>Zu viele Verbindungen von deiner Adresse. Bitte versuch es später noch mal.</translation>
    </message>
    <message>
        <source>Too many new crews from your network. Please try again later.</source>
        <translation>Zu viele neue Crews aus deinem Netz. Bitte versuch es später noch mal.</translation>
    </message>
    <message>
        <source>The crew service is having trouble right now. Please try again later.</source>
        <translation>Der Crew-Dienst hat gerade Probleme. Bitte versuch es später noch mal.</translation>
    </message>
    <message>
        <source>Something went wrong on the crew server.</source>
        <translation>Auf dem Crew-Server ist etwas schiefgegangen.</translation>
    </message>
    <message>
        <source>The request took too long to arrive.</source>
        <translation>Die Anfrage hat zu lange gebraucht.</translation>
    </message>
    <message>
        <source>The crew server gave a confusing answer.</source>
        <translation>Der Crew-Server hat seltsam geantwortet.</translation>
    </message>
    <message>
        <source>The crew server did not answer in time.</source>
        <translation>Der Crew-Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
</context>
<context>
    <name>CrewInvite</name>
    <message>
        <source>Join my Tockly crew — let&apos;s see who works hardest: %1 (code %2)</source>
        <extracomment>The invitation a person copies and sends: %1 is the link, %2 the crew code.</extracomment>
        <translation>Komm in meine Tockly-Crew — mal sehen, wer am fleißigsten ist: %1 (Code %2)</translation>
    </message>
</context>
<context>
    <name>Crews</name>
    <message numerus="yes">
        <source>You can be in up to %n crews.</source>
        <translation>
            <numerusform>Du kannst in höchstens %n Crew sein.</numerusform>
            <numerusform>Du kannst in höchstens %n Crews sein.</numerusform>
        </translation>
    </message>
    <message>
        <source>You&apos;re already in that crew.</source>
        <translation>Du bist schon in dieser Crew.</translation>
    </message>
</context>
<context>
    <name>DBusMenu</name>
    <message>
        <source>Open</source>
        <extracomment>Tray menu: opens the card with today&apos;s figures.</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Verlauf…</translation>
    </message>
    <message>
        <source>Other computers…</source>
        <translation>Andere Computer…</translation>
    </message>
    <message>
        <source>Track automatically</source>
        <extracomment>Tray menu check: the work clock starts by itself on input.</extracomment>
        <translation>Automatisch erfassen</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Tockly beenden</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>lock file in $XDG_RUNTIME_DIR (no session bus)</source>
        <translation>Sperrdatei in $XDG_RUNTIME_DIR (kein Sitzungsbus)</translation>
    </message>
    <message>
        <source>session bus name %1, held by process %2</source>
        <translation>Name %1 auf dem Sitzungsbus, belegt von Prozess %2</translation>
    </message>
    <message>
        <source>session bus name %1, free (Tockly is not running)</source>
        <translation>Name %1 auf dem Sitzungsbus, frei (Tockly läuft nicht)</translation>
    </message>
    <message>
        <source>quenby:// links open through %1</source>
        <translation>quenby://-Links öffnen über %1</translation>
    </message>
    <message>
        <source>no tockly.desktop with x-scheme-handler/quenby in the applications folders (the package or ./run installs one)</source>
        <translation>kein tockly.desktop mit x-scheme-handler/quenby in den Anwendungsordnern (das Paket oder ./run installiert eines)</translation>
    </message>
    <message>
        <source>GNOME&apos;s top bar, shown by the Shell extension %1</source>
        <translation>die obere Leiste von GNOME, gezeigt von der Shell-Erweiterung %1</translation>
    </message>
    <message>
        <source>a StatusNotifierItem (%1 runs)</source>
        <translation>ein StatusNotifierItem (%1 läuft)</translation>
    </message>
    <message>
        <source>Qt&apos;s tray icon (no StatusNotifierWatcher on the session bus)</source>
        <translation>das Symbol im Benachrichtigungsfeld von Qt (kein StatusNotifierWatcher auf dem Sitzungsbus)</translation>
    </message>
    <message>
        <source>; in GNOME&apos;s top bar: </source>
        <translation>; in der oberen Leiste von GNOME: </translation>
    </message>
    <message>
        <source>input: %1</source>
        <extracomment>The doctor&apos;s lines follow: &quot;label: what Tockly found&quot;; keep the labels short.</extracomment>
        <translation>Eingaben: %1</translation>
    </message>
    <message>
        <source>frontmost application: %1</source>
        <translation>Anwendung im Vordergrund: %1</translation>
    </message>
    <message>
        <source>sleep and wake: %1</source>
        <translation>Ruhezustand und Aufwachen: %1</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, enabled</source>
        <translation>Autostart: XDG-Autostart %1, aktiv</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, not registered</source>
        <translation>Autostart: XDG-Autostart %1, nicht eingetragen</translation>
    </message>
    <message>
        <source>single instance: %1</source>
        <translation>Einzelinstanz: %1</translation>
    </message>
    <message>
        <source>links: %1</source>
        <translation>Links: %1</translation>
    </message>
    <message>
        <source>data folder: %1</source>
        <translation>Datenordner: %1</translation>
    </message>
    <message>
        <source>settings: %1</source>
        <translation>Einstellungen: %1</translation>
    </message>
    <message>
        <source>panel item: %1</source>
        <translation>Leisteneintrag: %1</translation>
    </message>
</context>
<context>
    <name>OtherComputersModel</name>
    <message>
        <source>today %1</source>
        <extracomment>When another computer last wrote: %1 is a time of today.</extracomment>
        <translation>heute %1</translation>
    </message>
    <message>
        <source>this computer</source>
        <translation>dieser Computer</translation>
    </message>
    <message>
        <source>last wrote %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or a date and time.</extracomment>
        <translation>zuletzt geschrieben %1</translation>
    </message>
    <message>
        <source>nothing written yet</source>
        <translation>noch nichts geschrieben</translation>
    </message>
    <message>
        <source>its folder is gone</source>
        <translation>sein Ordner ist weg</translation>
    </message>
    <message>
        <source>Only a folder on this computer can be used</source>
        <translation>Nur ein Ordner auf diesem Computer geht</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Day</source>
        <extracomment>Report row labels follow; each is printed with its value after it, aligned.</extracomment>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Worked</source>
        <extracomment>Report row: the worked time of the day.</extracomment>
        <translation>Gearbeitet</translation>
    </message>
    <message>
        <source>Computers</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>First input</source>
        <translation>Erste Eingabe</translation>
    </message>
    <message>
        <source>Last input</source>
        <translation>Letzte Eingabe</translation>
    </message>
    <message>
        <source>Longest stretch</source>
        <translation>Längster Block</translation>
    </message>
    <message>
        <source>Deep work</source>
        <translation>Fokuszeit</translation>
    </message>
    <message>
        <source>Breaks</source>
        <translation>Pausen</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Words</source>
        <extracomment>Report row: the words typed (keys divided by five).</extracomment>
        <translation>Wörter</translation>
    </message>
    <message>
        <source>Typing pace</source>
        <translation>Tipptempo</translation>
    </message>
    <message>
        <source>%1 words/min</source>
        <translation>%1 Wörter/Min.</translation>
    </message>
    <message>
        <source>Busiest hour</source>
        <translation>Aktivste Stunde</translation>
    </message>
    <message numerus="yes">
        <source>%1:00 (%2 keys)</source>
        <extracomment>%1 is the hour (09), %2 the number of keys pressed in it.</extracomment>
        <translation>
            <numerusform>%1:00 (%2 Taste)</numerusform>
            <numerusform>%1:00 (%2 Tasten)</numerusform>
        </translation>
    </message>
    <message>
        <source>Top apps</source>
        <translation>Top-Apps</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>Insgesamt</translation>
    </message>
    <message>
        <source>Best day</source>
        <translation>Bester Tag</translation>
    </message>
    <message>
        <source>Streak</source>
        <extracomment>Report row: how many days in a row the goal was reached.</extracomment>
        <translation>Serie</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal</source>
        <extracomment>Report row value: no daily goal is set.</extracomment>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>reached</source>
        <translation>erreicht</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
</context>
<context>
    <name>ReportCommand</name>
    <message>
        <source>Prints a day&apos;s worked time, its rhythm, score, words, typing pace, busiest hour and top
applications, and the records (last 7 days, all time, best day, streak) with the goal.
Reads the data folder without changing it, so it can run while Tockly runs; a segment
that is being counted right now counts up to now. When the record is synced across
computers (tockly sync), the figures are the day across all of them, and each computer&apos;s
own time is listed.</source>
        <translation>Zeigt die Arbeitszeit eines Tages, seinen Rhythmus, Punkte, Wörter, Tipptempo, aktivste
Stunde und Top-Apps, dazu die Bestwerte (letzte 7 Tage, insgesamt, bester Tag, Serie) und
das Ziel. Liest den Datenordner, ohne ihn zu ändern, und kann daher laufen, während Tockly
läuft; ein gerade gezählter Block zählt bis jetzt. Wird die Aufzeichnung über mehrere
Computer abgeglichen (tockly sync), gelten die Zahlen für den Tag auf allen, und die Zeit
jedes Computers wird einzeln aufgeführt.</translation>
    </message>
    <message>
        <source>The day to report (default: today).</source>
        <translation>Der Tag für den Bericht (sonst heute).</translation>
    </message>
    <message>
        <source>Print JSON: instants as seconds since 2001-01-01 UTC, days as yyyy-MM-dd, absent values as null.</source>
        <translation>JSON ausgeben: Zeitpunkte als Sekunden seit 2001-01-01 UTC, Tage als yyyy-MM-dd, fehlende Werte als null.</translation>
    </message>
    <message>
        <source>--day needs a real date written yyyy-MM-dd, not &quot;%1&quot;</source>
        <translation>--day braucht ein echtes Datum in der Form yyyy-MM-dd, nicht „%1“</translation>
    </message>
    <message>
        <source>not a readable folder, counted as empty</source>
        <translation>kein lesbarer Ordner, gilt als leer</translation>
    </message>
    <message>
        <source>unreadable, counted as empty</source>
        <translation>nicht lesbar, gilt als leer</translation>
    </message>
</context>
<context>
    <name>ShellExtensionOffer</name>
    <message>
        <source>Show Tockly in the top bar?</source>
        <translation>Tockly in der oberen Leiste zeigen?</translation>
    </message>
    <message>
        <source>GNOME shows Tockly&apos;s time in the top bar, and tells it which app you work in, only through Tockly&apos;s Shell extension. It is installed and waits to be enabled.</source>
        <translation>GNOME zeigt Tocklys Zeit in der oberen Leiste und sagt Tockly, in welcher App du arbeitest, nur über Tocklys Shell-Erweiterung. Sie ist installiert und wartet darauf, aktiviert zu werden.</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Aktivieren</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Auto-tracking is off</source>
        <translation>Automatische Erfassung ist aus</translation>
    </message>
    <message>
        <source>Counting — you&apos;re active</source>
        <translation>Läuft — du bist aktiv</translation>
    </message>
    <message>
        <source>Paused — you stepped away</source>
        <translation>Pausiert — du bist kurz weg</translation>
    </message>
    <message>
        <source>Watching for activity…</source>
        <translation>Wartet auf Aktivität…</translation>
    </message>
</context>
<context>
    <name>StatusCommand</name>
    <message>
        <source>not running</source>
        <translation>läuft nicht</translation>
    </message>
    <message>
        <source>Prints the running Tockly&apos;s title and status, for panels without tray labels.</source>
        <translation>Zeigt Titel und Status des laufenden Tockly, für Leisten ohne Beschriftung im Benachrichtigungsfeld.</translation>
    </message>
    <message>
        <source>Print every change.</source>
        <translation>Jede Änderung ausgeben.</translation>
    </message>
    <message>
        <source>One JSON object a line (text, tooltip, class) for panel modules.</source>
        <translation>Ein JSON-Objekt pro Zeile (text, tooltip, class) für Leistenmodule.</translation>
    </message>
    <message>
        <source>no session bus</source>
        <translation>kein Sitzungsbus</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Download</source>
        <extracomment>Notification button that opens the new version&apos;s download page.</extracomment>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Tockly %1 is available</source>
        <translation>Tockly %1 ist da</translation>
    </message>
    <message>
        <source>You have %1. Open the download page to get the new version.</source>
        <translation>Du hast %1. Öffne die Download-Seite, um die neue Version zu holen.</translation>
    </message>
</context>
<context>
    <name>WindowSlots</name>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>So funktioniert Tockly</translation>
    </message>
    <message>
        <source>Tockly — History</source>
        <translation>Tockly — Verlauf</translation>
    </message>
    <message>
        <source>Other computers</source>
        <translation>Andere Computer</translation>
    </message>
    <message>
        <source>Crew Invite</source>
        <translation>Crew-Einladung</translation>
    </message>
</context>
</TS>
