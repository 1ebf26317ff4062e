<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CardModel</name>
    <message>
        <source>~%1 words</source>
        <extracomment>About so many words typed on the chosen day.</extracomment>
        <translation>~%1 Wörter</translation>
    </message>
</context>
<context>
    <name>CardText</name>
    <message>
        <source>🍀 777 streak!</source>
        <extracomment>Seven days in a row: the lucky number.</extracomment>
        <translation>🍀 777er-Serie!</translation>
    </message>
    <message numerus="yes">
        <source>🔥 %n-day streak</source>
        <translation>
            <numerusform>🔥 %n Tag in Folge</numerusform>
            <numerusform>🔥 %n Tage in Folge</numerusform>
        </translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>A place on the crew&apos;s board, after the first three: 4., 5., ...</extracomment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>goal reached! 🎉</source>
        <translation>Ziel erreicht! 🎉</translation>
    </message>
    <message>
        <source>goal %1 · %2%</source>
        <extracomment>%1 is the daily goal (4h 0m), %2 the percentage of it done.</extracomment>
        <translation>Ziel %1 · %2&#xa0;%</translation>
    </message>
    <message>
        <source>Daily goal %1 percent complete</source>
        <translation>Tagesziel zu %1 Prozent erreicht</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>No daily goal.</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>%1h</source>
        <extracomment>A daily goal of so many hours.</extracomment>
        <translation>%1h</translation>
    </message>
</context>
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
    <name>CrewBox</name>
    <message>
        <source>CREW 👑</source>
        <extracomment>The heading of the crew box, in capitals.</extracomment>
        <translation>CREW 👑</translation>
    </message>
    <message>
        <source>Race your friends — who works hardest today?</source>
        <translation>Tritt gegen deine Freunde an — wer arbeitet heute am meisten?</translation>
    </message>
    <message>
        <source>Start a crew</source>
        <translation>Neue Crew</translation>
    </message>
    <message>
        <source>Join with code</source>
        <translation>Code eingeben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Dein Spitzname</translation>
    </message>
    <message>
        <source>Crew code (e.g. LUCKY7)</source>
        <translation>Crew-Code (z.&#xa0;B. LUCKY7)</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Gründen</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>CREW · %1</source>
        <extracomment>The board&apos;s heading: %1 is the crew&apos;s name in capitals.</extracomment>
        <translation>CREW · %1</translation>
    </message>
    <message>
        <source>Start or join another crew</source>
        <translation>Noch eine Crew gründen oder beitreten</translation>
    </message>
    <message>
        <source>Refresh leaderboard</source>
        <translation>Rangliste aktualisieren</translation>
    </message>
    <message>
        <source>Waiting for first reports…</source>
        <translation>Warte auf die ersten Meldungen…</translation>
    </message>
    <message>
        <source>Copied! 🍀</source>
        <translation>Kopiert! 🍀</translation>
    </message>
    <message>
        <source>Copy invite</source>
        <translation>Einladung kopieren</translation>
    </message>
    <message>
        <source>Open ↗</source>
        <extracomment>Opens the crew&apos;s page in the browser.</extracomment>
        <translation>Öffnen ↗</translation>
    </message>
    <message>
        <source>Leave</source>
        <extracomment>Leaves the crew.</extracomment>
        <translation>Verlassen</translation>
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
    <name>CrewModel</name>
    <message>
        <source>%1&apos;s Crew</source>
        <extracomment>The name of a new crew, which its members see: %1 is the founder&apos;s nickname.</extracomment>
        <translation>Crew von %1</translation>
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
    <name>DurationText</name>
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
</context>
<context>
    <name>ExportDocument</name>
    <message numerus="yes">
        <source>Exported %n entries ✓</source>
        <translation>
            <numerusform>%n Eintrag exportiert ✓</numerusform>
            <numerusform>%n Einträge exportiert ✓</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GoalMenu</name>
    <message>
        <source>Daily goal</source>
        <translation>Tagesziel</translation>
    </message>
</context>
<context>
    <name>HistoryCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>less</source>
        <extracomment>The legend of the days&apos; tints: less work on the left ...</extracomment>
        <translation>weniger</translation>
    </message>
    <message>
        <source>more</source>
        <extracomment>... more work on the right.</extracomment>
        <translation>mehr</translation>
    </message>
</context>
<context>
    <name>HistoryDetail</name>
    <message>
        <source>Minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts — more work is always a higher score.</source>
        <translation>Gearbeitete Minuten + Fokusminuten noch einmal + Wörter ÷ 10 + Klicks ÷ 25 + Scrolls ÷ 200. Nichts zieht ab — mehr Arbeit gibt immer mehr Punkte.</translation>
    </message>
    <message>
        <source>SCORE</source>
        <extracomment>Over the day&apos;s score, in capitals.</extracomment>
        <translation>PUNKTE</translation>
    </message>
    <message>
        <source>No work recorded this day. 🍀</source>
        <translation>An diesem Tag wurde nichts erfasst. 🍀</translation>
    </message>
    <message>
        <source>TYPING VS MOUSING</source>
        <translation>TASTATUR VS. MAUS</translation>
    </message>
    <message>
        <source>KEYSTROKES BY HOUR</source>
        <translation>ANSCHLÄGE PRO STUNDE</translation>
    </message>
    <message>
        <source>TOP APPS</source>
        <translation>TOP-APPS</translation>
    </message>
    <message>
        <source>SESSIONS</source>
        <translation>SITZUNGEN</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>HistoryText</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>⌨️ ~%1 words typed · %2 keystrokes</source>
        <extracomment>%1 is the number of words (a word is 5 keystrokes), %2 of keystrokes.</extracomment>
        <translation>⌨️ ~%1 Wörter getippt · %2 Anschläge</translation>
    </message>
    <message>
        <source>busiest %1 – %2 · ~%3 words</source>
        <extracomment>The busiest hour of the day: from %1 to %2, about %3 words typed in it.</extracomment>
        <translation>am aktivsten %1 – %2 · ~%3 Wörter</translation>
    </message>
    <message>
        <source>day span</source>
        <translation>Tagesspanne</translation>
    </message>
    <message>
        <source>deep work (25m+ blocks)</source>
        <translation>Fokuszeit (Blöcke ab 25m)</translation>
    </message>
    <message>
        <source>longest stretch · 1 break</source>
        <translation>längster Block · 1 Pause</translation>
    </message>
    <message numerus="yes">
        <source>longest stretch · %n breaks</source>
        <translation>
            <numerusform>längster Block · %n Pause</numerusform>
            <numerusform>längster Block · %n Pausen</numerusform>
        </translation>
    </message>
    <message>
        <source>clicks</source>
        <translation>Klicks</translation>
    </message>
    <message>
        <source>scroll flicks</source>
        <translation>Scrollbewegungen</translation>
    </message>
    <message>
        <source>modifier presses</source>
        <extracomment>Presses of Shift, Ctrl, Alt and the like.</extracomment>
        <translation>Sondertasten</translation>
    </message>
    <message>
        <source>app switches</source>
        <translation>App-Wechsel</translation>
    </message>
    <message>
        <source>Added %1</source>
        <extracomment>Time added to the record by hand; %1 is how much.</extracomment>
        <translation>%1 hinzugefügt</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <extracomment>Time taken off the record by hand; %1 is how much.</extracomment>
        <translation>%1 entfernt</translation>
    </message>
    <message>
        <source>Worked %1</source>
        <translation>%1 gearbeitet</translation>
    </message>
    <message>
        <source>at %1</source>
        <extracomment>%1 is a time of day.</extracomment>
        <translation>um %1</translation>
    </message>
</context>
<context>
    <name>HistoryValues</name>
    <message>
        <source>counting now · since %1</source>
        <extracomment>%1 is the time the running stretch of work began.</extracomment>
        <translation>läuft gerade · seit %1</translation>
    </message>
    <message>
        <source>⌨️ %1 typing</source>
        <extracomment>%1 is the time spent typing.</extracomment>
        <translation>⌨️ %1 Tastatur</translation>
    </message>
    <message>
        <source>🖱 %1 mousing</source>
        <extracomment>%1 is the time spent with the mouse.</extracomment>
        <translation>🖱 %1 Maus</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>THIS WEEK</source>
        <translation>DIESE WOCHE</translation>
    </message>
    <message>
        <source>STREAK</source>
        <translation>SERIE</translation>
    </message>
    <message>
        <source>BEST DAY</source>
        <translation>BESTER TAG</translation>
    </message>
    <message>
        <source>ALL TIME</source>
        <translation>INSGESAMT</translation>
    </message>
    <message>
        <source>Export History…</source>
        <translation>Verlauf exportieren…</translation>
    </message>
    <message>
        <source>Objective by design — nothing here can be edited.</source>
        <translation>Objektiv gebaut — hier lässt sich nichts ändern.</translation>
    </message>
    <message>
        <source>Export History</source>
        <translation>Verlauf exportieren</translation>
    </message>
</context>
<context>
    <name>HowItWorksView</name>
    <message>
        <source>What counts as work</source>
        <translation>Was als Arbeit zählt</translation>
    </message>
    <message>
        <source>Any keyboard or mouse input means you&apos;re working, and the clock runs. It never sees what you type — only that you did something.</source>
        <translation>Jede Eingabe mit Tastatur oder Maus heißt: Du arbeitest, und die Uhr läuft. Sie sieht nie, was du tippst — nur, dass du etwas getan hast.</translation>
    </message>
    <message>
        <source>The 30-second rule</source>
        <translation>Die 30-Sekunden-Regel</translation>
    </message>
    <message>
        <source>Go 30 seconds without touching anything and it pauses. Time counts only up to your last keystroke or click.</source>
        <translation>30 Sekunden ohne jede Eingabe, und sie pausiert. Die Zeit zählt nur bis zu deinem letzten Tastendruck oder Klick.</translation>
    </message>
    <message>
        <source>The day in numbers</source>
        <translation>Der Tag in Zahlen</translation>
    </message>
    <message>
        <source>Tockly also tallies how many keys you press (shown as words — 5 keystrokes ≈ 1 word), clicks and scrolls, your typing-vs-mousing split, and which apps your day went to. All counters, all local: it can&apos;t see what you type, and app names never leave this computer.</source>
        <translation>Tockly zählt außerdem, wie viele Tasten du drückst (als Wörter gezeigt — 5 Anschläge ≈ 1 Wort), Klicks und Scrolls, wie sich Tastatur und Maus verteilen und in welche Apps dein Tag ging. Alles Zähler, alles lokal: Es sieht nicht, was du tippst, und App-Namen verlassen nie diesen Computer.</translation>
    </message>
    <message>
        <source>The day score</source>
        <translation>Die Tagespunkte</translation>
    </message>
    <message>
        <source>Each day gets one combined score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts and nothing is hidden — more work is always a higher score. Today&apos;s sits in the panel card; the full breakdown lives in History.</source>
        <translation>Jeder Tag bekommt eine Gesamtpunktzahl: gearbeitete Minuten + Fokusminuten noch einmal + Wörter ÷ 10 + Klicks ÷ 25 + Scrolls ÷ 200. Nichts zieht ab und nichts ist versteckt — mehr Arbeit gibt immer mehr Punkte. Die von heute stehen auf der Karte in der Leiste; die ganze Aufschlüsselung steht im Verlauf.</translation>
    </message>
    <message>
        <source>Honest at the edges</source>
        <translation>Ehrlich bis an die Ränder</translation>
    </message>
    <message>
        <source>Sessions that cross midnight are split so each day gets its true share. Sleep, dead batteries, crashes and reboots can&apos;t leak phantom hours.</source>
        <translation>Sitzungen über Mitternacht werden geteilt, damit jeder Tag seinen echten Anteil bekommt. Ruhezustand, leere Akkus, Abstürze und Neustarts schmuggeln keine Geisterstunden ein.</translation>
    </message>
    <message>
        <source>Objective by design</source>
        <translation>Objektiv gebaut</translation>
    </message>
    <message>
        <source>No add-time button, no delete, no import. What it counted is what happened.</source>
        <translation>Kein Knopf zum Zeit-Hinzufügen, kein Löschen, kein Import. Was gezählt wurde, ist passiert.</translation>
    </message>
    <message>
        <source>Private</source>
        <translation>Privat</translation>
    </message>
    <message>
        <source>Your sessions live only on this computer. No account, no analytics, no keylogging.</source>
        <translation>Deine Sitzungen bleiben auf diesem Computer. Kein Konto, keine Analyse, kein Mitschneiden von Tasten.</translation>
    </message>
    <message>
        <source>Crews</source>
        <translation>Crews</translation>
    </message>
    <message>
        <source>A crew shares exactly three things: your nickname, a random ID, and your daily total. The board resets at midnight.</source>
        <translation>Eine Crew teilt genau drei Dinge: deinen Spitznamen, eine zufällige ID und deine Tagessumme. Die Rangliste beginnt um Mitternacht neu.</translation>
    </message>
    <message>
        <source>Goal &amp; streaks</source>
        <translation>Ziel &amp; Serien</translation>
    </message>
    <message>
        <source>Pick a daily goal and watch the bar fill. Work on consecutive days to build a streak.</source>
        <translation>Wähl ein Tagesziel und sieh zu, wie sich der Balken füllt. Arbeite an aufeinanderfolgenden Tagen, um eine Serie aufzubauen.</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Tockly tells you when a new version is out; a packaged install updates with your system. &quot;Check for updates…&quot; looks right away.</source>
        <translation>Tockly sagt dir, wenn eine neue Version da ist; eine Installation aus Paketen wird mit deinem System aktualisiert. „Nach Updates suchen…“ schaut sofort nach.</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>So funktioniert Tockly</translation>
    </message>
    <message>
        <source>The whole picture — no fine print.</source>
        <translation>Das ganze Bild — ohne Kleingedrucktes.</translation>
    </message>
    <message>
        <source>Tockly %1 · free software under the GNU GPL v3 or later</source>
        <extracomment>%1 is the version.</extracomment>
        <translation>Tockly %1 · freie Software unter der GNU GPL v3 oder neuer</translation>
    </message>
</context>
<context>
    <name>InviteView</name>
    <message>
        <source>You&apos;re invited to a crew! 👑</source>
        <translation>Eine Crew lädt dich ein! 👑</translation>
    </message>
    <message>
        <source>Race your friends for today&apos;s crown. Pick a nickname — it&apos;s the only thing they&apos;ll see, along with your daily totals.</source>
        <translation>Kämpf mit deinen Freunden um die Krone des Tages. Wähl einen Spitznamen — neben deinen Tagessummen ist er das Einzige, was sie sehen.</translation>
    </message>
    <message>
        <source>crew code · %1</source>
        <extracomment>%1 is the crew&apos;s code, such as LUCKY7.</extracomment>
        <translation>Crew-Code · %1</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Dein Spitzname</translation>
    </message>
    <message>
        <source>Join the crew</source>
        <translation>Der Crew beitreten</translation>
    </message>
    <message>
        <source>You&apos;re in! 👑</source>
        <translation>Du bist dabei! 👑</translation>
    </message>
    <message>
        <source>Find your crew&apos;s leaderboard under the little smiley in your panel. Now get working — the crown won&apos;t win itself.</source>
        <translation>Die Rangliste deiner Crew findest du unter dem kleinen Smiley in deiner Leiste. Jetzt ran an die Arbeit — die Krone gewinnt sich nicht von allein.</translation>
    </message>
    <message>
        <source>Let&apos;s go 🍀</source>
        <translation>Los geht&apos;s 🍀</translation>
    </message>
</context>
<context>
    <name>LastSevenDays</name>
    <message>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Open the full history window</source>
        <translation>Das ganze Verlaufsfenster öffnen</translation>
    </message>
</context>
<context>
    <name>LeaderboardRow</name>
    <message>
        <source> (you)</source>
        <extracomment>After the person&apos;s own nickname on the board.</extracomment>
        <translation> (du)</translation>
    </message>
    <message>
        <source>Remove?</source>
        <extracomment>Asks to confirm removing a member from the crew.</extracomment>
        <translation>Entfernen?</translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>Keeps the member in the crew after all.</extracomment>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Remove %1 from the crew</source>
        <translation>%1 aus der Crew entfernen</translation>
    </message>
</context>
<context>
    <name>MacMenuView</name>
    <message>
        <source>How Tockly works</source>
        <translation>So funktioniert Tockly</translation>
    </message>
    <message>
        <source>Check for updates…</source>
        <translation>Nach Updates suchen…</translation>
    </message>
    <message>
        <source>New versions are announced; packages update with the system</source>
        <translation>Neue Versionen werden angekündigt; Pakete werden mit dem System aktualisiert</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>Quits the application.</extracomment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Tockly beenden</translation>
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
    <name>OtherComputersView</name>
    <message>
        <source>Other computers 💻</source>
        <translation>Andere Computer 💻</translation>
    </message>
    <message>
        <source>Your day, added up across every computer you use, through a folder you already keep in step between them (Syncthing, a network home…). Each computer writes only its own folder there; time on two at once counts once.</source>
        <translation>Dein Tag, zusammengezählt über alle deine Computer, durch einen Ordner, den du schon zwischen ihnen abgleichst (Syncthing, ein Home-Verzeichnis im Netz…). Jeder Computer schreibt dort nur in seinen eigenen Ordner; Zeit an zweien zugleich zählt einmal.</translation>
    </message>
    <message>
        <source>Synced folder</source>
        <translation>Abgeglichener Ordner</translation>
    </message>
    <message>
        <source>Not syncing</source>
        <translation>Kein Abgleich</translation>
    </message>
    <message>
        <source>Choose another…</source>
        <translation>Anderen wählen…</translation>
    </message>
    <message>
        <source>Choose folder…</source>
        <translation>Ordner wählen…</translation>
    </message>
    <message>
        <source>Stop syncing</source>
        <translation>Abgleich beenden</translation>
    </message>
    <message>
        <source>COMPUTERS</source>
        <translation>COMPUTER</translation>
    </message>
    <message>
        <source>Choose the synced folder</source>
        <translation>Den abgeglichenen Ordner wählen</translation>
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
    <name>SettingsBox</name>
    <message>
        <source>Daily goal</source>
        <translation>Tagesziel</translation>
    </message>
    <message>
        <source>Start when I log in</source>
        <translation>Beim Anmelden starten</translation>
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
        <translation>Auto-Erfassung ist aus</translation>
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
    <name>TodayBlock</name>
    <message>
        <source>TODAY</source>
        <extracomment>Over today&apos;s worked time on the card, in capitals.</extracomment>
        <translation>HEUTE</translation>
    </message>
    <message>
        <source>Today&apos;s score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. The breakdown lives in History.</source>
        <translation>Heutige Punkte: gearbeitete Minuten + Fokusminuten noch einmal + Wörter ÷ 10 + Klicks ÷ 25 + Scrolls ÷ 200. Die Aufschlüsselung steht im Verlauf.</translation>
    </message>
    <message>
        <source>⌨️ %1 words/min</source>
        <extracomment>%1 is the typing pace, words a minute.</extracomment>
        <translation>⌨️ %1 Wörter/Min.</translation>
    </message>
    <message>
        <source>Your typing pace today: words (5 keystrokes each) per minute spent typing — Tockly never sees what you type</source>
        <translation>Dein Tipptempo heute: Wörter (je 5 Anschläge) pro Minute beim Tippen — Tockly sieht nie, was du tippst</translation>
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
    <name>WelcomeView</name>
    <message>
        <source>I live up there — look for the little smiley</source>
        <translation>Ich wohne da oben — such den kleinen Smiley</translation>
    </message>
    <message>
        <source>Welcome to Tockly</source>
        <translation>Willkommen bei Tockly</translation>
    </message>
    <message>
        <source>While you type or move your mouse, I quietly count your work time. Step away, and I pause — honest totals, kept entirely on your computer.</source>
        <translation>Während du tippst oder die Maus bewegst, zähle ich leise deine Arbeitszeit. Gehst du weg, mache ich Pause — ehrliche Summen, ganz auf deinem Computer.</translation>
    </message>
    <message>
        <source>Tip: my menu has a daily goal, history, and a “start at login” switch.</source>
        <translation>Tipp: In meinem Menü gibt es ein Tagesziel, den Verlauf und einen Schalter „Beim Anmelden starten“.</translation>
    </message>
    <message>
        <source>Let&apos;s go 🍀</source>
        <translation>Los geht&apos;s 🍀</translation>
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
