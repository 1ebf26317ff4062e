<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CardModel</name>
    <message>
        <source>~%1 words</source>
        <extracomment>About so many words typed on the chosen day.</extracomment>
        <translation>~%1 mots</translation>
    </message>
</context>
<context>
    <name>CardText</name>
    <message>
        <source>🍀 777 streak!</source>
        <extracomment>Seven days in a row: the lucky number.</extracomment>
        <translation>🍀 Série 777&#xa0;!</translation>
    </message>
    <message numerus="yes">
        <source>🔥 %n-day streak</source>
        <translation>
            <numerusform>🔥 Série de %n jour</numerusform>
            <numerusform>🔥 Série de %n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>A place on the crew&apos;s board, after the first three: 4., 5., ...</extracomment>
        <translation>%1e</translation>
    </message>
    <message>
        <source>goal reached! 🎉</source>
        <translation>objectif atteint&#xa0;! 🎉</translation>
    </message>
    <message>
        <source>goal %1 · %2%</source>
        <extracomment>%1 is the daily goal (4h 0m), %2 the percentage of it done.</extracomment>
        <translation>objectif %1 · %2&#xa0;%</translation>
    </message>
    <message>
        <source>Daily goal %1 percent complete</source>
        <translation>Objectif du jour atteint à %1 pour cent</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>No daily goal.</extracomment>
        <translation>Aucun</translation>
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
        <translation>argument inattendu «&#xa0;%1&#xa0;»</translation>
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
        <translation>Tockly compte votre temps de travail au seul fait de la saisie&#xa0;: le chrono tourne tant que
vous tapez ou bougez la souris, se met en pause après 30 secondes sans saisie, et ne voit
jamais ce que vous tapez. Sans commande, il lance l&apos;application de la zone de notification,
ou passe ses liens à celle qui tourne déjà.

Commandes (tockly COMMANDE --help en dit plus)&#xa0;:
  status [--follow] [--json]          titre et état du Tockly en cours, pour les barres
  card                                ouvrir ou fermer la carte du Tockly en cours
  pause                               couper le suivi automatique
  resume                              le rallumer
  report [--day yyyy-MM-dd] [--json]  les chiffres d&apos;une journée et les records
  sync [FOLDER | --off] [--json]      additionner la journée sur tous vos ordinateurs
  doctor                              ce que Tockly voit sur ce bureau

Environnement&#xa0;: QUENBY_DATA_DIR range l&apos;historique dans $QUENBY_DATA_DIR/Quenby/,
QUENBY_CREW_URL est l&apos;adresse du service d&apos;équipes, QUENBY_UPDATE_FEED le flux des
mises à jour. Voir tockly(1).</translation>
    </message>
    <message>
        <source>Empty the recorded entries and activity at start.</source>
        <translation>Vider les entrées et l&apos;activité enregistrées au démarrage.</translation>
    </message>
    <message>
        <source>Check for a newer version one second after start.</source>
        <translation>Chercher une version plus récente une seconde après le démarrage.</translation>
    </message>
    <message>
        <source>quenby://join/CODE offers to join the crew CODE.</source>
        <translation>quenby://join/CODE propose de rejoindre l&apos;équipe CODE.</translation>
    </message>
    <message>
        <source>[link...]</source>
        <extracomment>The placeholder for links in the usage line of --help.</extracomment>
        <translation>[lien...]</translation>
    </message>
</context>
<context>
    <name>CrewBox</name>
    <message>
        <source>CREW 👑</source>
        <extracomment>The heading of the crew box, in capitals.</extracomment>
        <translation>ÉQUIPE 👑</translation>
    </message>
    <message>
        <source>Race your friends — who works hardest today?</source>
        <translation>Défiez vos amis — qui travaille le plus aujourd&apos;hui&#xa0;?</translation>
    </message>
    <message>
        <source>Start a crew</source>
        <translation>Créer une équipe</translation>
    </message>
    <message>
        <source>Join with code</source>
        <translation>J&apos;ai un code</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Votre pseudo</translation>
    </message>
    <message>
        <source>Crew code (e.g. LUCKY7)</source>
        <translation>Code d&apos;équipe (ex. LUCKY7)</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>CREW · %1</source>
        <extracomment>The board&apos;s heading: %1 is the crew&apos;s name in capitals.</extracomment>
        <translation>ÉQUIPE · %1</translation>
    </message>
    <message>
        <source>Start or join another crew</source>
        <translation>Créer ou rejoindre une autre équipe</translation>
    </message>
    <message>
        <source>Refresh leaderboard</source>
        <translation>Actualiser le classement</translation>
    </message>
    <message>
        <source>Waiting for first reports…</source>
        <translation>En attente des premiers résultats…</translation>
    </message>
    <message>
        <source>Copied! 🍀</source>
        <translation>Copié&#xa0;! 🍀</translation>
    </message>
    <message>
        <source>Copy invite</source>
        <translation>Copier l&apos;invitation</translation>
    </message>
    <message>
        <source>Open ↗</source>
        <extracomment>Opens the crew&apos;s page in the browser.</extracomment>
        <translation>Ouvrir ↗</translation>
    </message>
    <message>
        <source>Leave</source>
        <extracomment>Leaves the crew.</extracomment>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>CrewError</name>
    <message>
        <source>Crews are unavailable: the crew service address &quot;%1&quot; (%2) was refused. It must be an https:// origin, or http:// to a loopback address, with no path, query or credentials.</source>
        <extracomment>%1 is the address as written, %2 where it came from (&quot;from QUENBY_CREW_URL&quot;).</extracomment>
        <translation>Les équipes sont indisponibles&#xa0;: l&apos;adresse du service d&apos;équipes «&#xa0;%1&#xa0;» (%2) a été refusée. Elle doit être une origine https://, ou http:// vers une adresse de bouclage, sans chemin, requête ni identifiants.</translation>
    </message>
    <message>
        <source>from QUENBY_CREW_URL</source>
        <translation>depuis QUENBY_CREW_URL</translation>
    </message>
    <message>
        <source>built in</source>
        <translation>intégrée</translation>
    </message>
    <message>
        <source>The crew server&apos;s answer could not be read.</source>
        <translation>La réponse du serveur d&apos;équipes est illisible.</translation>
    </message>
    <message>
        <source>That crew code doesn&apos;t exist.</source>
        <translation>Ce code d&apos;équipe n&apos;existe pas.</translation>
    </message>
    <message>
        <source>You&apos;re not a member of this crew.</source>
        <translation>Vous ne faites pas partie de cette équipe.</translation>
    </message>
    <message numerus="yes">
        <source>This crew is full: it already has %n members.</source>
        <translation>
            <numerusform>Cette équipe est complète&#xa0;: elle compte déjà %n membre.</numerusform>
            <numerusform>Cette équipe est complète&#xa0;: elle compte déjà %n membres.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the crew&apos;s owner can remove members.</source>
        <translation>Seule la personne qui a créé l&apos;équipe peut retirer des membres.</translation>
    </message>
    <message>
        <source>Nobody in this crew has that nickname.</source>
        <translation>Personne dans cette équipe ne porte ce pseudo.</translation>
    </message>
    <message>
        <source>You can&apos;t remove yourself. Leave the crew instead.</source>
        <translation>Vous ne pouvez pas vous retirer vous-même. Quittez plutôt l&apos;équipe.</translation>
    </message>
    <message>
        <source>Someone in this crew already has that nickname. Please pick another one.</source>
        <translation>Quelqu&apos;un dans cette équipe a déjà ce pseudo. Choisissez-en un autre.</translation>
    </message>
    <message>
        <source>Please choose a nickname.</source>
        <translation>Choisissez un pseudo.</translation>
    </message>
    <message numerus="yes">
        <source>A nickname can be at most %n characters.</source>
        <translation>
            <numerusform>Un pseudo ne peut pas dépasser %n caractère.</numerusform>
            <numerusform>Un pseudo ne peut pas dépasser %n caractères.</numerusform>
        </translation>
    </message>
    <message>
        <source>A nickname can&apos;t contain control characters.</source>
        <translation>Un pseudo ne peut pas contenir de caractères de contrôle.</translation>
    </message>
    <message>
        <source>Please give the crew a name.</source>
        <translation>Donnez un nom à l&apos;équipe.</translation>
    </message>
    <message numerus="yes">
        <source>A crew name can be at most %n characters.</source>
        <translation>
            <numerusform>Un nom d&apos;équipe ne peut pas dépasser %n caractère.</numerusform>
            <numerusform>Un nom d&apos;équipe ne peut pas dépasser %n caractères.</numerusform>
        </translation>
    </message>
    <message>
        <source>A crew name can&apos;t contain control characters.</source>
        <translation>Un nom d&apos;équipe ne peut pas contenir de caractères de contrôle.</translation>
    </message>
    <message numerus="yes">
        <source>Only days within %n days of today can be reported.</source>
        <extracomment>A report of days was refused: this computer&apos;s date is far from the service&apos;s.</extracomment>
        <translation>
            <numerusform>Seuls les jours situés à %n jour maximum d&apos;aujourd&apos;hui peuvent être envoyés.</numerusform>
            <numerusform>Seuls les jours situés à %n jours maximum d&apos;aujourd&apos;hui peuvent être envoyés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Too many requests. Please wait a minute and try again.</source>
        <translation>Trop de requêtes. Patientez une minute, puis réessayez.</translation>
    </message>
    <message>
        <source>Too many connections from your address. Please try again later.</source>
        <translation>Trop de connexions depuis votre adresse. Réessayez plus tard.</translation>
    </message>
    <message>
        <source>Too many new crews from your network. Please try again later.</source>
        <translation>Trop de nouvelles équipes depuis votre réseau. Réessayez plus tard.</translation>
    </message>
    <message>
        <source>The crew service is having trouble right now. Please try again later.</source>
        <translation>Le service d&apos;équipes a un souci en ce moment. Réessayez plus tard.</translation>
    </message>
    <message>
        <source>Something went wrong on the crew server.</source>
        <translation>Un problème est survenu sur le serveur d&apos;équipes.</translation>
    </message>
    <message>
        <source>The request took too long to arrive.</source>
        <translation>La requête a mis trop de temps à arriver.</translation>
    </message>
    <message>
        <source>The crew server gave a confusing answer.</source>
        <translation>Le serveur d&apos;équipes a donné une réponse confuse.</translation>
    </message>
    <message>
        <source>The crew server did not answer in time.</source>
        <translation>Le serveur d&apos;équipes n&apos;a pas répondu à temps.</translation>
    </message>
</context>
<context>
    <name>CrewInvite</name>
    <message>
        <source>Join my Tockly crew — let&apos;s see who works hardest: %1 (code %2)</source>
        <extracomment>The invitation a person copies and sends: %1 is the link, %2 the crew code.</extracomment>
        <translation>Rejoins mon équipe Tockly — voyons qui travaille le plus&#xa0;: %1 (code %2)</translation>
    </message>
</context>
<context>
    <name>CrewModel</name>
    <message>
        <source>%1&apos;s Crew</source>
        <extracomment>The name of a new crew, which its members see: %1 is the founder&apos;s nickname.</extracomment>
        <translation>L&apos;équipe de %1</translation>
    </message>
</context>
<context>
    <name>Crews</name>
    <message numerus="yes">
        <source>You can be in up to %n crews.</source>
        <translation>
            <numerusform>Vous pouvez faire partie de %n équipe au plus.</numerusform>
            <numerusform>Vous pouvez faire partie de %n équipes au plus.</numerusform>
        </translation>
    </message>
    <message>
        <source>You&apos;re already in that crew.</source>
        <translation>Vous faites déjà partie de cette équipe.</translation>
    </message>
</context>
<context>
    <name>DBusMenu</name>
    <message>
        <source>Open</source>
        <extracomment>Tray menu: opens the card with today&apos;s figures.</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Historique…</translation>
    </message>
    <message>
        <source>Other computers…</source>
        <translation>Autres ordinateurs…</translation>
    </message>
    <message>
        <source>Track automatically</source>
        <extracomment>Tray menu check: the work clock starts by itself on input.</extracomment>
        <translation>Suivi automatique</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Quitter Tockly</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>lock file in $XDG_RUNTIME_DIR (no session bus)</source>
        <translation>fichier verrou dans $XDG_RUNTIME_DIR (pas de bus de session)</translation>
    </message>
    <message>
        <source>session bus name %1, held by process %2</source>
        <translation>nom %1 sur le bus de session, tenu par le processus %2</translation>
    </message>
    <message>
        <source>session bus name %1, free (Tockly is not running)</source>
        <translation>nom %1 sur le bus de session, libre (Tockly ne tourne pas)</translation>
    </message>
    <message>
        <source>quenby:// links open through %1</source>
        <translation>les liens quenby:// s&apos;ouvrent via %1</translation>
    </message>
    <message>
        <source>no tockly.desktop with x-scheme-handler/quenby in the applications folders (the package or ./run installs one)</source>
        <translation>aucun tockly.desktop avec x-scheme-handler/quenby dans les dossiers d&apos;applications (le paquet ou ./run en installe un)</translation>
    </message>
    <message>
        <source>GNOME&apos;s top bar, shown by the Shell extension %1</source>
        <translation>la barre supérieure de GNOME, affiché par l&apos;extension Shell %1</translation>
    </message>
    <message>
        <source>a StatusNotifierItem (%1 runs)</source>
        <translation>un StatusNotifierItem (%1 tourne)</translation>
    </message>
    <message>
        <source>Qt&apos;s tray icon (no StatusNotifierWatcher on the session bus)</source>
        <translation>l&apos;icône de notification de Qt (pas de StatusNotifierWatcher sur le bus de session)</translation>
    </message>
    <message>
        <source>; in GNOME&apos;s top bar: </source>
        <translation>&#xa0;; dans la barre supérieure de GNOME&#xa0;: </translation>
    </message>
    <message>
        <source>input: %1</source>
        <extracomment>The doctor&apos;s lines follow: &quot;label: what Tockly found&quot;; keep the labels short.</extracomment>
        <translation>saisie&#xa0;: %1</translation>
    </message>
    <message>
        <source>frontmost application: %1</source>
        <translation>application au premier plan&#xa0;: %1</translation>
    </message>
    <message>
        <source>sleep and wake: %1</source>
        <translation>veille et réveil&#xa0;: %1</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, enabled</source>
        <translation>démarrage à la connexion&#xa0;: démarrage automatique XDG %1, activé</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, not registered</source>
        <translation>démarrage à la connexion&#xa0;: démarrage automatique XDG %1, non inscrit</translation>
    </message>
    <message>
        <source>single instance: %1</source>
        <translation>instance unique&#xa0;: %1</translation>
    </message>
    <message>
        <source>links: %1</source>
        <translation>liens&#xa0;: %1</translation>
    </message>
    <message>
        <source>data folder: %1</source>
        <translation>dossier de données&#xa0;: %1</translation>
    </message>
    <message>
        <source>settings: %1</source>
        <translation>réglages&#xa0;: %1</translation>
    </message>
    <message>
        <source>panel item: %1</source>
        <translation>élément de barre&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>DurationText</name>
    <message>
        <source>1 day</source>
        <translation>1 jour</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportDocument</name>
    <message numerus="yes">
        <source>Exported %n entries ✓</source>
        <translation>
            <numerusform>%n entrée exportée ✓</numerusform>
            <numerusform>%n entrées exportées ✓</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GoalMenu</name>
    <message>
        <source>Daily goal</source>
        <translation>Objectif du jour</translation>
    </message>
</context>
<context>
    <name>HistoryCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Mois précédent</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mois suivant</translation>
    </message>
    <message>
        <source>less</source>
        <extracomment>The legend of the days&apos; tints: less work on the left ...</extracomment>
        <translation>moins</translation>
    </message>
    <message>
        <source>more</source>
        <extracomment>... more work on the right.</extracomment>
        <translation>plus</translation>
    </message>
</context>
<context>
    <name>HistoryDetail</name>
    <message>
        <source>Minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts — more work is always a higher score.</source>
        <translation>Minutes travaillées + minutes de travail concentré une seconde fois + mots ÷ 10 + clics ÷ 25 + défilements ÷ 200. Rien ne se soustrait — plus de travail donne toujours un meilleur score.</translation>
    </message>
    <message>
        <source>SCORE</source>
        <extracomment>Over the day&apos;s score, in capitals.</extracomment>
        <translation>SCORE</translation>
    </message>
    <message>
        <source>No work recorded this day. 🍀</source>
        <translation>Aucun travail enregistré ce jour-là. 🍀</translation>
    </message>
    <message>
        <source>TYPING VS MOUSING</source>
        <translation>CLAVIER OU SOURIS</translation>
    </message>
    <message>
        <source>KEYSTROKES BY HOUR</source>
        <translation>FRAPPES PAR HEURE</translation>
    </message>
    <message>
        <source>TOP APPS</source>
        <translation>APPS PHARES</translation>
    </message>
    <message>
        <source>SESSIONS</source>
        <translation>SESSIONS</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Export failed</source>
        <translation>Échec de l&apos;export</translation>
    </message>
</context>
<context>
    <name>HistoryText</name>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
    <message>
        <source>⌨️ ~%1 words typed · %2 keystrokes</source>
        <extracomment>%1 is the number of words (a word is 5 keystrokes), %2 of keystrokes.</extracomment>
        <translation>⌨️ ~%1 mots tapés · %2 frappes</translation>
    </message>
    <message>
        <source>busiest %1 – %2 · ~%3 words</source>
        <extracomment>The busiest hour of the day: from %1 to %2, about %3 words typed in it.</extracomment>
        <translation>heure de pointe %1 – %2 · ~%3 mots</translation>
    </message>
    <message>
        <source>day span</source>
        <translation>amplitude du jour</translation>
    </message>
    <message>
        <source>deep work (25m+ blocks)</source>
        <translation>concentration (blocs 25m+)</translation>
    </message>
    <message>
        <source>longest stretch · 1 break</source>
        <translation>plus long bloc · 1 pause</translation>
    </message>
    <message numerus="yes">
        <source>longest stretch · %n breaks</source>
        <translation>
            <numerusform>plus long bloc · %n pause</numerusform>
            <numerusform>plus long bloc · %n pauses</numerusform>
        </translation>
    </message>
    <message>
        <source>clicks</source>
        <translation>clics</translation>
    </message>
    <message>
        <source>scroll flicks</source>
        <translation>coups de molette</translation>
    </message>
    <message>
        <source>modifier presses</source>
        <extracomment>Presses of Shift, Ctrl, Alt and the like.</extracomment>
        <translation>touches de modification</translation>
    </message>
    <message>
        <source>app switches</source>
        <translation>changements d&apos;app</translation>
    </message>
    <message>
        <source>Added %1</source>
        <extracomment>Time added to the record by hand; %1 is how much.</extracomment>
        <translation>Ajout de %1</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <extracomment>Time taken off the record by hand; %1 is how much.</extracomment>
        <translation>Retrait de %1</translation>
    </message>
    <message>
        <source>Worked %1</source>
        <translation>%1 de travail</translation>
    </message>
    <message>
        <source>at %1</source>
        <extracomment>%1 is a time of day.</extracomment>
        <translation>à %1</translation>
    </message>
</context>
<context>
    <name>HistoryValues</name>
    <message>
        <source>counting now · since %1</source>
        <extracomment>%1 is the time the running stretch of work began.</extracomment>
        <translation>en cours · depuis %1</translation>
    </message>
    <message>
        <source>⌨️ %1 typing</source>
        <extracomment>%1 is the time spent typing.</extracomment>
        <translation>⌨️ %1 au clavier</translation>
    </message>
    <message>
        <source>🖱 %1 mousing</source>
        <extracomment>%1 is the time spent with the mouse.</extracomment>
        <translation>🖱 %1 à la souris</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>THIS WEEK</source>
        <translation>CETTE SEMAINE</translation>
    </message>
    <message>
        <source>STREAK</source>
        <translation>SÉRIE</translation>
    </message>
    <message>
        <source>BEST DAY</source>
        <translation>MEILLEUR JOUR</translation>
    </message>
    <message>
        <source>ALL TIME</source>
        <translation>AU TOTAL</translation>
    </message>
    <message>
        <source>Export History…</source>
        <translation>Exporter l&apos;historique…</translation>
    </message>
    <message>
        <source>Objective by design — nothing here can be edited.</source>
        <translation>Objectif par conception — rien ici ne se modifie.</translation>
    </message>
    <message>
        <source>Export History</source>
        <translation>Exporter l&apos;historique</translation>
    </message>
</context>
<context>
    <name>HowItWorksView</name>
    <message>
        <source>What counts as work</source>
        <translation>Ce qui compte comme travail</translation>
    </message>
    <message>
        <source>Any keyboard or mouse input means you&apos;re working, and the clock runs. It never sees what you type — only that you did something.</source>
        <translation>Toute saisie au clavier ou à la souris veut dire que vous travaillez, et l&apos;horloge tourne. Elle ne voit jamais ce que vous tapez — seulement que vous avez fait quelque chose.</translation>
    </message>
    <message>
        <source>The 30-second rule</source>
        <translation>La règle des 30 secondes</translation>
    </message>
    <message>
        <source>Go 30 seconds without touching anything and it pauses. Time counts only up to your last keystroke or click.</source>
        <translation>30 secondes sans rien toucher, et elle se met en pause. Le temps ne compte que jusqu&apos;à votre dernière frappe ou votre dernier clic.</translation>
    </message>
    <message>
        <source>The day in numbers</source>
        <translation>La journée en chiffres</translation>
    </message>
    <message>
        <source>Tockly also tallies how many keys you press (shown as words — 5 keystrokes ≈ 1 word), clicks and scrolls, your typing-vs-mousing split, and which apps your day went to. All counters, all local: it can&apos;t see what you type, and app names never leave this computer.</source>
        <translation>Tockly compte aussi combien de touches vous frappez (en mots — 5 frappes ≈ 1 mot), les clics et les défilements, la part clavier-souris, et les apps où votre journée est passée. Que des compteurs, tout en local&#xa0;: il ne voit pas ce que vous tapez, et les noms d&apos;apps ne quittent jamais cet ordinateur.</translation>
    </message>
    <message>
        <source>The day score</source>
        <translation>Le score du jour</translation>
    </message>
    <message>
        <source>Each day gets one combined score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts and nothing is hidden — more work is always a higher score. Today&apos;s sits in the panel card; the full breakdown lives in History.</source>
        <translation>Chaque jour reçoit un score unique&#xa0;: minutes travaillées + minutes de travail concentré une seconde fois + mots ÷ 10 + clics ÷ 25 + défilements ÷ 200. Rien ne se soustrait et rien n&apos;est caché — plus de travail donne toujours un meilleur score. Celui du jour est sur la carte de la barre&#xa0;; le détail complet est dans l&apos;historique.</translation>
    </message>
    <message>
        <source>Honest at the edges</source>
        <translation>Honnête jusqu&apos;au bout</translation>
    </message>
    <message>
        <source>Sessions that cross midnight are split so each day gets its true share. Sleep, dead batteries, crashes and reboots can&apos;t leak phantom hours.</source>
        <translation>Les sessions qui passent minuit sont coupées pour que chaque jour ait sa vraie part. Veille, batterie vide, plantages et redémarrages ne glissent aucune heure fantôme.</translation>
    </message>
    <message>
        <source>Objective by design</source>
        <translation>Objectif par conception</translation>
    </message>
    <message>
        <source>No add-time button, no delete, no import. What it counted is what happened.</source>
        <translation>Pas de bouton pour ajouter du temps, pas de suppression, pas d&apos;import. Ce qui a été compté est ce qui s&apos;est passé.</translation>
    </message>
    <message>
        <source>Private</source>
        <translation>Privé</translation>
    </message>
    <message>
        <source>Your sessions live only on this computer. No account, no analytics, no keylogging.</source>
        <translation>Vos sessions restent sur cet ordinateur. Pas de compte, pas de mesure d&apos;audience, pas d&apos;enregistrement des frappes.</translation>
    </message>
    <message>
        <source>Crews</source>
        <translation>Équipes</translation>
    </message>
    <message>
        <source>A crew shares exactly three things: your nickname, a random ID, and your daily total. The board resets at midnight.</source>
        <translation>Une équipe partage exactement trois choses&#xa0;: votre pseudo, un identifiant aléatoire et votre total du jour. Le classement repart à zéro à minuit.</translation>
    </message>
    <message>
        <source>Goal &amp; streaks</source>
        <translation>Objectif et séries</translation>
    </message>
    <message>
        <source>Pick a daily goal and watch the bar fill. Work on consecutive days to build a streak.</source>
        <translation>Choisissez un objectif du jour et regardez la barre se remplir. Travaillez plusieurs jours de suite pour bâtir une série.</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Tockly tells you when a new version is out; a packaged install updates with your system. &quot;Check for updates…&quot; looks right away.</source>
        <translation>Tockly vous prévient quand une nouvelle version sort&#xa0;; une installation par paquet se met à jour avec votre système. «&#xa0;Rechercher des mises à jour…&#xa0;» vérifie tout de suite.</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>Comment marche Tockly</translation>
    </message>
    <message>
        <source>The whole picture — no fine print.</source>
        <translation>Tout est dit — sans petits caractères.</translation>
    </message>
    <message>
        <source>Tockly %1 · free software under the GNU GPL v3 or later</source>
        <extracomment>%1 is the version.</extracomment>
        <translation>Tockly %1 · logiciel libre sous GNU GPL v3 ou ultérieure</translation>
    </message>
</context>
<context>
    <name>InviteView</name>
    <message>
        <source>You&apos;re invited to a crew! 👑</source>
        <translation>Une équipe vous invite&#xa0;! 👑</translation>
    </message>
    <message>
        <source>Race your friends for today&apos;s crown. Pick a nickname — it&apos;s the only thing they&apos;ll see, along with your daily totals.</source>
        <translation>Disputez la couronne du jour à vos amis. Choisissez un pseudo — c&apos;est tout ce qu&apos;ils verront, avec vos totaux du jour.</translation>
    </message>
    <message>
        <source>crew code · %1</source>
        <extracomment>%1 is the crew&apos;s code, such as LUCKY7.</extracomment>
        <translation>code d&apos;équipe · %1</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Votre pseudo</translation>
    </message>
    <message>
        <source>Join the crew</source>
        <translation>Rejoindre l&apos;équipe</translation>
    </message>
    <message>
        <source>You&apos;re in! 👑</source>
        <translation>Vous en êtes&#xa0;! 👑</translation>
    </message>
    <message>
        <source>Find your crew&apos;s leaderboard under the little smiley in your panel. Now get working — the crown won&apos;t win itself.</source>
        <translation>Le classement de votre équipe est sous le petit smiley de votre barre. Au travail maintenant — la couronne ne se gagnera pas toute seule.</translation>
    </message>
    <message>
        <source>Let&apos;s go 🍀</source>
        <translation>C&apos;est parti 🍀</translation>
    </message>
</context>
<context>
    <name>LastSevenDays</name>
    <message>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Open the full history window</source>
        <translation>Ouvrir la fenêtre de l&apos;historique complet</translation>
    </message>
</context>
<context>
    <name>LeaderboardRow</name>
    <message>
        <source> (you)</source>
        <extracomment>After the person&apos;s own nickname on the board.</extracomment>
        <translation> (vous)</translation>
    </message>
    <message>
        <source>Remove?</source>
        <extracomment>Asks to confirm removing a member from the crew.</extracomment>
        <translation>Retirer&#xa0;?</translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>Keeps the member in the crew after all.</extracomment>
        <translation>Garder</translation>
    </message>
    <message>
        <source>Remove %1 from the crew</source>
        <translation>Retirer %1 de l&apos;équipe</translation>
    </message>
</context>
<context>
    <name>MacMenuView</name>
    <message>
        <source>How Tockly works</source>
        <translation>Comment marche Tockly</translation>
    </message>
    <message>
        <source>Check for updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>New versions are announced; packages update with the system</source>
        <translation>Les nouvelles versions sont annoncées&#xa0;; les paquets se mettent à jour avec le système</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>Quits the application.</extracomment>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Quitter Tockly</translation>
    </message>
</context>
<context>
    <name>OtherComputersModel</name>
    <message>
        <source>today %1</source>
        <extracomment>When another computer last wrote: %1 is a time of today.</extracomment>
        <translation>aujourd&apos;hui %1</translation>
    </message>
    <message>
        <source>this computer</source>
        <translation>cet ordinateur</translation>
    </message>
    <message>
        <source>last wrote %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or a date and time.</extracomment>
        <translation>dernière écriture %1</translation>
    </message>
    <message>
        <source>nothing written yet</source>
        <translation>rien d&apos;écrit pour l&apos;instant</translation>
    </message>
    <message>
        <source>its folder is gone</source>
        <translation>son dossier a disparu</translation>
    </message>
    <message>
        <source>Only a folder on this computer can be used</source>
        <translation>Seul un dossier de cet ordinateur convient</translation>
    </message>
</context>
<context>
    <name>OtherComputersView</name>
    <message>
        <source>Other computers 💻</source>
        <translation>Autres ordinateurs 💻</translation>
    </message>
    <message>
        <source>Your day, added up across every computer you use, through a folder you already keep in step between them (Syncthing, a network home…). Each computer writes only its own folder there; time on two at once counts once.</source>
        <translation>Votre journée, additionnée sur tous vos ordinateurs, grâce à un dossier que vous synchronisez déjà entre eux (Syncthing, un dossier personnel en réseau…). Chaque ordinateur n&apos;écrit que dans son propre dossier&#xa0;; le temps passé sur deux à la fois compte une fois.</translation>
    </message>
    <message>
        <source>Synced folder</source>
        <translation>Dossier synchronisé</translation>
    </message>
    <message>
        <source>Not syncing</source>
        <translation>Pas de synchronisation</translation>
    </message>
    <message>
        <source>Choose another…</source>
        <translation>En choisir un autre…</translation>
    </message>
    <message>
        <source>Choose folder…</source>
        <translation>Choisir un dossier…</translation>
    </message>
    <message>
        <source>Stop syncing</source>
        <translation>Arrêter la synchronisation</translation>
    </message>
    <message>
        <source>COMPUTERS</source>
        <translation>ORDINATEURS</translation>
    </message>
    <message>
        <source>Choose the synced folder</source>
        <translation>Choisir le dossier synchronisé</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Day</source>
        <extracomment>Report row labels follow; each is printed with its value after it, aligned.</extracomment>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Worked</source>
        <extracomment>Report row: the worked time of the day.</extracomment>
        <translation>Travaillé</translation>
    </message>
    <message>
        <source>Computers</source>
        <translation>Ordinateurs</translation>
    </message>
    <message>
        <source>First input</source>
        <translation>Première saisie</translation>
    </message>
    <message>
        <source>Last input</source>
        <translation>Dernière saisie</translation>
    </message>
    <message>
        <source>Longest stretch</source>
        <translation>Plus longue session</translation>
    </message>
    <message>
        <source>Deep work</source>
        <translation>Travail concentré</translation>
    </message>
    <message>
        <source>Breaks</source>
        <translation>Pauses</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Words</source>
        <extracomment>Report row: the words typed (keys divided by five).</extracomment>
        <translation>Mots</translation>
    </message>
    <message>
        <source>Typing pace</source>
        <translation>Vitesse de frappe</translation>
    </message>
    <message>
        <source>%1 words/min</source>
        <translation>%1 mots/min</translation>
    </message>
    <message>
        <source>Busiest hour</source>
        <translation>Heure la plus active</translation>
    </message>
    <message numerus="yes">
        <source>%1:00 (%2 keys)</source>
        <extracomment>%1 is the hour (09), %2 the number of keys pressed in it.</extracomment>
        <translation>
            <numerusform>%1:00 (%2 touche)</numerusform>
            <numerusform>%1:00 (%2 touches)</numerusform>
        </translation>
    </message>
    <message>
        <source>Top apps</source>
        <translation>Apps phares</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>Depuis le début</translation>
    </message>
    <message>
        <source>Best day</source>
        <translation>Meilleur jour</translation>
    </message>
    <message>
        <source>Streak</source>
        <extracomment>Report row: how many days in a row the goal was reached.</extracomment>
        <translation>Série</translation>
    </message>
    <message>
        <source>Goal</source>
        <extracomment>Report row value: no daily goal is set.</extracomment>
        <translation>Objectif</translation>
    </message>
    <message>
        <source>reached</source>
        <translation>atteint</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivé</translation>
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
        <translation>Affiche le temps travaillé d&apos;une journée, son rythme, son score, les mots, la vitesse de
frappe, l&apos;heure la plus active et les apps phares, ainsi que les records (7 derniers jours,
depuis le début, meilleur jour, série) et l&apos;objectif. Lit le dossier de données sans le
modifier&#xa0;: il peut donc tourner pendant que Tockly tourne&#xa0;; une session en cours compte
jusqu&apos;à maintenant. Quand l&apos;historique est synchronisé entre ordinateurs (tockly sync), les
chiffres couvrent la journée sur tous, et le temps de chaque ordinateur est détaillé.</translation>
    </message>
    <message>
        <source>The day to report (default: today).</source>
        <translation>Le jour à afficher (par défaut&#xa0;: aujourd&apos;hui).</translation>
    </message>
    <message>
        <source>Print JSON: instants as seconds since 2001-01-01 UTC, days as yyyy-MM-dd, absent values as null.</source>
        <translation>Afficher du JSON&#xa0;: instants en secondes depuis le 2001-01-01 UTC, jours en yyyy-MM-dd, valeurs absentes en null.</translation>
    </message>
    <message>
        <source>--day needs a real date written yyyy-MM-dd, not &quot;%1&quot;</source>
        <translation>--day attend une vraie date écrite yyyy-MM-dd, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>not a readable folder, counted as empty</source>
        <translation>pas un dossier lisible, compté comme vide</translation>
    </message>
    <message>
        <source>unreadable, counted as empty</source>
        <translation>illisible, compté comme vide</translation>
    </message>
</context>
<context>
    <name>SettingsBox</name>
    <message>
        <source>Daily goal</source>
        <translation>Objectif du jour</translation>
    </message>
    <message>
        <source>Start when I log in</source>
        <translation>Démarrer à la connexion</translation>
    </message>
</context>
<context>
    <name>ShellExtensionOffer</name>
    <message>
        <source>Show Tockly in the top bar?</source>
        <translation>Afficher Tockly dans la barre supérieure&#xa0;?</translation>
    </message>
    <message>
        <source>GNOME shows Tockly&apos;s time in the top bar, and tells it which app you work in, only through Tockly&apos;s Shell extension. It is installed and waits to be enabled.</source>
        <translation>GNOME n&apos;affiche le temps de Tockly dans la barre supérieure, et ne lui dit dans quelle app vous travaillez, que via l&apos;extension Shell de Tockly. Elle est installée et n&apos;attend plus que d&apos;être activée.</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activer</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Auto-tracking is off</source>
        <translation>Suivi automatique coupé</translation>
    </message>
    <message>
        <source>Counting — you&apos;re active</source>
        <translation>Ça compte — vous êtes là</translation>
    </message>
    <message>
        <source>Paused — you stepped away</source>
        <translation>En pause — plus d&apos;activité</translation>
    </message>
    <message>
        <source>Watching for activity…</source>
        <translation>À l&apos;affût d&apos;activité…</translation>
    </message>
</context>
<context>
    <name>StatusCommand</name>
    <message>
        <source>not running</source>
        <translation>ne tourne pas</translation>
    </message>
    <message>
        <source>Prints the running Tockly&apos;s title and status, for panels without tray labels.</source>
        <translation>Affiche le titre et l&apos;état du Tockly en cours, pour les barres sans texte dans la zone de notification.</translation>
    </message>
    <message>
        <source>Print every change.</source>
        <translation>Afficher chaque changement.</translation>
    </message>
    <message>
        <source>One JSON object a line (text, tooltip, class) for panel modules.</source>
        <translation>Un objet JSON par ligne (text, tooltip, class) pour les modules de barre.</translation>
    </message>
    <message>
        <source>no session bus</source>
        <translation>pas de bus de session</translation>
    </message>
</context>
<context>
    <name>TodayBlock</name>
    <message>
        <source>TODAY</source>
        <extracomment>Over today&apos;s worked time on the card, in capitals.</extracomment>
        <translation>AUJOURD&apos;HUI</translation>
    </message>
    <message>
        <source>Today&apos;s score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. The breakdown lives in History.</source>
        <translation>Score du jour&#xa0;: minutes travaillées + minutes de travail concentré une seconde fois + mots ÷ 10 + clics ÷ 25 + défilements ÷ 200. Le détail est dans l&apos;historique.</translation>
    </message>
    <message>
        <source>⌨️ %1 words/min</source>
        <extracomment>%1 is the typing pace, words a minute.</extracomment>
        <translation>⌨️ %1 mots/min</translation>
    </message>
    <message>
        <source>Your typing pace today: words (5 keystrokes each) per minute spent typing — Tockly never sees what you type</source>
        <translation>Votre vitesse de frappe aujourd&apos;hui&#xa0;: mots (5 frappes chacun) par minute passée à taper — Tockly ne voit jamais ce que vous tapez</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Download</source>
        <extracomment>Notification button that opens the new version&apos;s download page.</extracomment>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Tockly %1 is available</source>
        <translation>Tockly %1 est disponible</translation>
    </message>
    <message>
        <source>You have %1. Open the download page to get the new version.</source>
        <translation>Vous avez la %1. Ouvrez la page de téléchargement pour obtenir la nouvelle version.</translation>
    </message>
</context>
<context>
    <name>WelcomeView</name>
    <message>
        <source>I live up there — look for the little smiley</source>
        <translation>J&apos;habite là-haut — cherchez le petit smiley</translation>
    </message>
    <message>
        <source>Welcome to Tockly</source>
        <translation>Bienvenue dans Tockly</translation>
    </message>
    <message>
        <source>While you type or move your mouse, I quietly count your work time. Step away, and I pause — honest totals, kept entirely on your computer.</source>
        <translation>Pendant que vous tapez ou bougez la souris, je compte discrètement votre temps de travail. Vous vous éloignez, je fais une pause — des totaux honnêtes, gardés entièrement sur votre ordinateur.</translation>
    </message>
    <message>
        <source>Tip: my menu has a daily goal, history, and a “start at login” switch.</source>
        <translation>Astuce&#xa0;: mon menu propose un objectif du jour, l&apos;historique et un interrupteur «&#xa0;Démarrer à la connexion&#xa0;».</translation>
    </message>
    <message>
        <source>Let&apos;s go 🍀</source>
        <translation>C&apos;est parti 🍀</translation>
    </message>
</context>
<context>
    <name>WindowSlots</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>Comment marche Tockly</translation>
    </message>
    <message>
        <source>Tockly — History</source>
        <translation>Tockly — Historique</translation>
    </message>
    <message>
        <source>Other computers</source>
        <translation>Autres ordinateurs</translation>
    </message>
    <message>
        <source>Crew Invite</source>
        <translation>Invitation d&apos;équipe</translation>
    </message>
</context>
</TS>
