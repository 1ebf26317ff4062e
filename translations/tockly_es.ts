<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argumento inesperado «%1»</translation>
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
        <translation>Tockly cuenta tu tiempo de trabajo solo por el hecho de que escribes: el reloj de trabajo
corre mientras tecleas o mueves el ratón, se pausa tras 30 segundos sin actividad y nunca
ve lo que escribes. Sin orden, abre la aplicación de la bandeja o pasa sus enlaces a la que
ya está abierta.

Órdenes (tockly ORDEN --help da más detalles):
  status [--follow] [--json]          título y estado del Tockly abierto, para paneles
  card                                abrir o cerrar la tarjeta del Tockly abierto
  pause                               apagar el registro automático
  resume                              volver a encenderlo
  report [--day yyyy-MM-dd] [--json]  las cifras de un día y los récords
  sync [FOLDER | --off] [--json]      sumar el día de todos tus ordenadores
  doctor                              lo que Tockly puede ver en este escritorio

Entorno: QUENBY_DATA_DIR guarda el registro en $QUENBY_DATA_DIR/Quenby/,
QUENBY_CREW_URL es la dirección del servicio de equipos, QUENBY_UPDATE_FEED el canal de
actualizaciones. Consulta tockly(1).</translation>
    </message>
    <message>
        <source>Empty the recorded entries and activity at start.</source>
        <translation>Vaciar al inicio las entradas y la actividad registradas.</translation>
    </message>
    <message>
        <source>Check for a newer version one second after start.</source>
        <translation>Buscar una versión más reciente un segundo después del inicio.</translation>
    </message>
    <message>
        <source>quenby://join/CODE offers to join the crew CODE.</source>
        <translation>quenby://join/CODE ofrece unirse al equipo CODE.</translation>
    </message>
    <message>
        <source>[link...]</source>
        <extracomment>The placeholder for links in the usage line of --help.</extracomment>
        <translation>[enlace...]</translation>
    </message>
</context>
<context>
    <name>CrewError</name>
    <message>
        <source>Crews are unavailable: the crew service address &quot;%1&quot; (%2) was refused. It must be an https:// origin, or http:// to a loopback address, with no path, query or credentials.</source>
        <extracomment>%1 is the address as written, %2 where it came from (&quot;from QUENBY_CREW_URL&quot;).</extracomment>
        <translation>Los equipos no están disponibles: se rechazó la dirección del servicio de equipos «%1» (%2). Debe ser un origen https://, o http:// a una dirección de bucle local, sin ruta, consulta ni credenciales.</translation>
    </message>
    <message>
        <source>from QUENBY_CREW_URL</source>
        <translation>de QUENBY_CREW_URL</translation>
    </message>
    <message>
        <source>built in</source>
        <translation>integrada</translation>
    </message>
    <message>
        <source>The crew server&apos;s answer could not be read.</source>
        <translation>No se pudo leer la respuesta del servidor de equipos.</translation>
    </message>
    <message>
        <source>That crew code doesn&apos;t exist.</source>
        <translation>Ese código de equipo no existe.</translation>
    </message>
    <message>
        <source>You&apos;re not a member of this crew.</source>
        <translation>No eres miembro de este equipo.</translation>
    </message>
    <message numerus="yes">
        <source>This crew is full: it already has %n members.</source>
        <translation>
            <numerusform>Este equipo está completo: ya tiene %n miembro.</numerusform>
            <numerusform>Este equipo está completo: ya tiene %n miembros.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the crew&apos;s owner can remove members.</source>
        <translation>Solo quien creó el equipo puede quitar miembros.</translation>
    </message>
    <message>
        <source>Nobody in this crew has that nickname.</source>
        <translation>Nadie en este equipo tiene ese apodo.</translation>
    </message>
    <message>
        <source>You can&apos;t remove yourself. Leave the crew instead.</source>
        <translation>No puedes eliminarte. Mejor sal del equipo.</translation>
    </message>
    <message>
        <source>Someone in this crew already has that nickname. Please pick another one.</source>
        <translation>Alguien de este equipo ya tiene ese apodo. Elige otro, por favor.</translation>
    </message>
    <message>
        <source>Please choose a nickname.</source>
        <translation>Elige un apodo, por favor.</translation>
    </message>
    <message numerus="yes">
        <source>A nickname can be at most %n characters.</source>
        <translation>
            <numerusform>Un apodo puede tener como máximo %n carácter.</numerusform>
            <numerusform>Un apodo puede tener como máximo %n caracteres.</numerusform>
        </translation>
    </message>
    <message>
        <source>A nickname can&apos;t contain control characters.</source>
        <translation>Un apodo no puede contener caracteres de control.</translation>
    </message>
    <message>
        <source>Please give the crew a name.</source>
        <translation>Ponle un nombre al equipo, por favor.</translation>
    </message>
    <message numerus="yes">
        <source>A crew name can be at most %n characters.</source>
        <translation>
            <numerusform>El nombre de un equipo puede tener como máximo %n carácter.</numerusform>
            <numerusform>El nombre de un equipo puede tener como máximo %n caracteres.</numerusform>
        </translation>
    </message>
    <message>
        <source>A crew name can&apos;t contain control characters.</source>
        <translation>El nombre de un equipo no puede contener caracteres de control.</translation>
    </message>
    <message numerus="yes">
        <source>Only days within %n days of today can be reported.</source>
        <extracomment>A report of days was refused: this computer&apos;s date is far from the service&apos;s.</extracomment>
        <translation>
            <numerusform>Solo se pueden enviar días que estén a un máximo de %n día de hoy.</numerusform>
            <numerusform>Solo se pueden enviar días que estén a un máximo de %n días de hoy.</numerusform>
        </translation>
    </message>
    <message>
        <source>Too many requests. Please wait a minute and try again.</source>
        <translation>Demasiadas solicitudes. Espera un minuto y vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>Too many connections from your address. Please try again later.</source>
        <translation>Demasiadas conexiones desde tu dirección. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message>
        <source>Too many new crews from your network. Please try again later.</source>
        <translation>Demasiados equipos nuevos desde tu red. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message>
        <source>The crew service is having trouble right now. Please try again later.</source>
        <translation>El servicio de equipos tiene problemas ahora mismo. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message>
        <source>Something went wrong on the crew server.</source>
        <translation>Algo salió mal en el servidor de equipos.</translation>
    </message>
    <message>
        <source>The request took too long to arrive.</source>
        <translation>La solicitud tardó demasiado en llegar.</translation>
    </message>
    <message>
        <source>The crew server gave a confusing answer.</source>
        <translation>El servidor de equipos dio una respuesta confusa.</translation>
    </message>
    <message>
        <source>The crew server did not answer in time.</source>
        <translation>El servidor de equipos no respondió a tiempo.</translation>
    </message>
</context>
<context>
    <name>CrewInvite</name>
    <message>
        <source>Join my Tockly crew — let&apos;s see who works hardest: %1 (code %2)</source>
        <extracomment>The invitation a person copies and sends: %1 is the link, %2 the crew code.</extracomment>
        <translation>Únete a mi equipo de Tockly — a ver quién trabaja más: %1 (código %2)</translation>
    </message>
</context>
<context>
    <name>Crews</name>
    <message numerus="yes">
        <source>You can be in up to %n crews.</source>
        <translation>
            <numerusform>Puedes estar en %n equipo como máximo.</numerusform>
            <numerusform>Puedes estar en %n equipos como máximo.</numerusform>
        </translation>
    </message>
    <message>
        <source>You&apos;re already in that crew.</source>
        <translation>Ya estás en ese equipo.</translation>
    </message>
</context>
<context>
    <name>DBusMenu</name>
    <message>
        <source>Open</source>
        <extracomment>Tray menu: opens the card with today&apos;s figures.</extracomment>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Historial…</translation>
    </message>
    <message>
        <source>Other computers…</source>
        <translation>Otros ordenadores…</translation>
    </message>
    <message>
        <source>Track automatically</source>
        <extracomment>Tray menu check: the work clock starts by itself on input.</extracomment>
        <translation>Registro automático</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Salir de Tockly</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>lock file in $XDG_RUNTIME_DIR (no session bus)</source>
        <translation>archivo de bloqueo en $XDG_RUNTIME_DIR (no hay bus de sesión)</translation>
    </message>
    <message>
        <source>session bus name %1, held by process %2</source>
        <translation>nombre %1 en el bus de sesión, en manos del proceso %2</translation>
    </message>
    <message>
        <source>session bus name %1, free (Tockly is not running)</source>
        <translation>nombre %1 en el bus de sesión, libre (Tockly no está abierto)</translation>
    </message>
    <message>
        <source>quenby:// links open through %1</source>
        <translation>los enlaces quenby:// se abren con %1</translation>
    </message>
    <message>
        <source>no tockly.desktop with x-scheme-handler/quenby in the applications folders (the package or ./run installs one)</source>
        <translation>no hay ningún tockly.desktop con x-scheme-handler/quenby en las carpetas de aplicaciones (el paquete o ./run instalan uno)</translation>
    </message>
    <message>
        <source>GNOME&apos;s top bar, shown by the Shell extension %1</source>
        <translation>la barra superior de GNOME, mostrado por la extensión de Shell %1</translation>
    </message>
    <message>
        <source>a StatusNotifierItem (%1 runs)</source>
        <translation>un StatusNotifierItem (%1 está activo)</translation>
    </message>
    <message>
        <source>Qt&apos;s tray icon (no StatusNotifierWatcher on the session bus)</source>
        <translation>el icono de bandeja de Qt (no hay StatusNotifierWatcher en el bus de sesión)</translation>
    </message>
    <message>
        <source>; in GNOME&apos;s top bar: </source>
        <translation>; en la barra superior de GNOME: </translation>
    </message>
    <message>
        <source>input: %1</source>
        <extracomment>The doctor&apos;s lines follow: &quot;label: what Tockly found&quot;; keep the labels short.</extracomment>
        <translation>entrada: %1</translation>
    </message>
    <message>
        <source>frontmost application: %1</source>
        <translation>aplicación en primer plano: %1</translation>
    </message>
    <message>
        <source>sleep and wake: %1</source>
        <translation>suspensión y reanudación: %1</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, enabled</source>
        <translation>inicio de sesión: inicio automático XDG %1, activado</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, not registered</source>
        <translation>inicio de sesión: inicio automático XDG %1, no registrado</translation>
    </message>
    <message>
        <source>single instance: %1</source>
        <translation>instancia única: %1</translation>
    </message>
    <message>
        <source>links: %1</source>
        <translation>enlaces: %1</translation>
    </message>
    <message>
        <source>data folder: %1</source>
        <translation>carpeta de datos: %1</translation>
    </message>
    <message>
        <source>settings: %1</source>
        <translation>ajustes: %1</translation>
    </message>
    <message>
        <source>panel item: %1</source>
        <translation>elemento del panel: %1</translation>
    </message>
</context>
<context>
    <name>OtherComputersModel</name>
    <message>
        <source>today %1</source>
        <extracomment>When another computer last wrote: %1 is a time of today.</extracomment>
        <translation>hoy %1</translation>
    </message>
    <message>
        <source>this computer</source>
        <translation>este ordenador</translation>
    </message>
    <message>
        <source>last wrote %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or a date and time.</extracomment>
        <translation>última escritura %1</translation>
    </message>
    <message>
        <source>nothing written yet</source>
        <translation>aún no ha escrito nada</translation>
    </message>
    <message>
        <source>its folder is gone</source>
        <translation>su carpeta ya no está</translation>
    </message>
    <message>
        <source>Only a folder on this computer can be used</source>
        <translation>Solo sirve una carpeta de este ordenador</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Day</source>
        <extracomment>Report row labels follow; each is printed with its value after it, aligned.</extracomment>
        <translation>Día</translation>
    </message>
    <message>
        <source>Worked</source>
        <extracomment>Report row: the worked time of the day.</extracomment>
        <translation>Trabajado</translation>
    </message>
    <message>
        <source>Computers</source>
        <translation>Ordenadores</translation>
    </message>
    <message>
        <source>First input</source>
        <translation>Primera entrada</translation>
    </message>
    <message>
        <source>Last input</source>
        <translation>Última entrada</translation>
    </message>
    <message>
        <source>Longest stretch</source>
        <translation>Tramo más largo</translation>
    </message>
    <message>
        <source>Deep work</source>
        <translation>Trabajo concentrado</translation>
    </message>
    <message>
        <source>Breaks</source>
        <translation>Descansos</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Words</source>
        <extracomment>Report row: the words typed (keys divided by five).</extracomment>
        <translation>Palabras</translation>
    </message>
    <message>
        <source>Typing pace</source>
        <translation>Ritmo de escritura</translation>
    </message>
    <message>
        <source>%1 words/min</source>
        <translation>%1 palabras/min</translation>
    </message>
    <message>
        <source>Busiest hour</source>
        <translation>Hora más activa</translation>
    </message>
    <message numerus="yes">
        <source>%1:00 (%2 keys)</source>
        <extracomment>%1 is the hour (09), %2 the number of keys pressed in it.</extracomment>
        <translation>
            <numerusform>%1:00 (%2 tecla)</numerusform>
            <numerusform>%1:00 (%2 teclas)</numerusform>
        </translation>
    </message>
    <message>
        <source>Top apps</source>
        <translation>Apps principales</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Últimos 7 días</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>Desde el principio</translation>
    </message>
    <message>
        <source>Best day</source>
        <translation>Mejor día</translation>
    </message>
    <message>
        <source>Streak</source>
        <extracomment>Report row: how many days in a row the goal was reached.</extracomment>
        <translation>Racha</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 día</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal</source>
        <extracomment>Report row value: no daily goal is set.</extracomment>
        <translation>Objetivo</translation>
    </message>
    <message>
        <source>reached</source>
        <translation>alcanzado</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivado</translation>
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
        <translation>Muestra el tiempo trabajado de un día, su ritmo, puntuación, palabras, ritmo de escritura,
hora más activa y apps principales, y los récords (últimos 7 días, desde el principio, mejor
día, racha) con el objetivo. Lee la carpeta de datos sin cambiarla, así que puede usarse
mientras Tockly está abierto; un tramo que se está contando ahora cuenta hasta ahora. Si el
registro se sincroniza entre ordenadores (tockly sync), las cifras son las del día en todos
ellos, y se muestra el tiempo de cada ordenador.</translation>
    </message>
    <message>
        <source>The day to report (default: today).</source>
        <translation>El día del informe (por defecto: hoy).</translation>
    </message>
    <message>
        <source>Print JSON: instants as seconds since 2001-01-01 UTC, days as yyyy-MM-dd, absent values as null.</source>
        <translation>Mostrar JSON: instantes como segundos desde 2001-01-01 UTC, días como yyyy-MM-dd, valores ausentes como null.</translation>
    </message>
    <message>
        <source>--day needs a real date written yyyy-MM-dd, not &quot;%1&quot;</source>
        <translation>--day necesita una fecha real escrita yyyy-MM-dd, no «%1»</translation>
    </message>
    <message>
        <source>not a readable folder, counted as empty</source>
        <translation>no es una carpeta legible, se cuenta como vacía</translation>
    </message>
    <message>
        <source>unreadable, counted as empty</source>
        <translation>ilegible, se cuenta como vacío</translation>
    </message>
</context>
<context>
    <name>ShellExtensionOffer</name>
    <message>
        <source>Show Tockly in the top bar?</source>
        <translation>¿Mostrar Tockly en la barra superior?</translation>
    </message>
    <message>
        <source>GNOME shows Tockly&apos;s time in the top bar, and tells it which app you work in, only through Tockly&apos;s Shell extension. It is installed and waits to be enabled.</source>
        <translation>GNOME solo muestra el tiempo de Tockly en la barra superior, y solo le dice en qué app trabajas, a través de la extensión de Shell de Tockly. Está instalada y espera a que la actives.</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activar</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Auto-tracking is off</source>
        <translation>El registro automático está apagado</translation>
    </message>
    <message>
        <source>Counting — you&apos;re active</source>
        <translation>Contando — estás en marcha</translation>
    </message>
    <message>
        <source>Paused — you stepped away</source>
        <translation>En pausa — te has alejado</translation>
    </message>
    <message>
        <source>Watching for activity…</source>
        <translation>Esperando actividad…</translation>
    </message>
</context>
<context>
    <name>StatusCommand</name>
    <message>
        <source>not running</source>
        <translation>no está abierto</translation>
    </message>
    <message>
        <source>Prints the running Tockly&apos;s title and status, for panels without tray labels.</source>
        <translation>Muestra el título y el estado del Tockly abierto, para paneles sin etiquetas en la bandeja.</translation>
    </message>
    <message>
        <source>Print every change.</source>
        <translation>Mostrar cada cambio.</translation>
    </message>
    <message>
        <source>One JSON object a line (text, tooltip, class) for panel modules.</source>
        <translation>Un objeto JSON por línea (text, tooltip, class) para módulos de panel.</translation>
    </message>
    <message>
        <source>no session bus</source>
        <translation>no hay bus de sesión</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Download</source>
        <extracomment>Notification button that opens the new version&apos;s download page.</extracomment>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Tockly %1 is available</source>
        <translation>Tockly %1 ya está disponible</translation>
    </message>
    <message>
        <source>You have %1. Open the download page to get the new version.</source>
        <translation>Tienes la %1. Abre la página de descarga para conseguir la nueva versión.</translation>
    </message>
</context>
<context>
    <name>WindowSlots</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenida</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>Cómo funciona Tockly</translation>
    </message>
    <message>
        <source>Tockly — History</source>
        <translation>Tockly — Historial</translation>
    </message>
    <message>
        <source>Other computers</source>
        <translation>Otros ordenadores</translation>
    </message>
    <message>
        <source>Crew Invite</source>
        <translation>Invitación al equipo</translation>
    </message>
</context>
</TS>
