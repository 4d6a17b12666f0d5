<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>cannot export the learning history: %1</source>
        <translation>impossible d’exporter l’historique d’apprentissage&#xa0;: %1</translation>
    </message>
    <message>
        <source>cannot open the progress window: %1</source>
        <translation>impossible d’ouvrir la fenêtre des progrès&#xa0;: %1</translation>
    </message>
    <message>
        <source>Huroof</source>
        <translation>Huroof</translation>
    </message>
    <message>
        <source>Arabic letters for young children: hear each letter, then find it in the letters contest.</source>
        <translation>Les lettres arabes pour les jeunes enfants&#xa0;: écouter chaque lettre, puis la retrouver dans le concours de lettres.</translation>
    </message>
    <message>
        <source>Show these options and exit.</source>
        <translation>Afficher ces options et quitter.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and exit.</source>
        <translation>Afficher la version du programme et quitter.</translation>
    </message>
    <message>
        <source>Open the window where a grown-up records the program&apos;s sounds in their own voice.</source>
        <translation>Ouvrir la fenêtre où un adulte enregistre les sons du programme avec sa propre voix.</translation>
    </message>
    <message>
        <source>Open the window of what each child has learnt.</source>
        <translation>Ouvrir la fenêtre de ce que chaque enfant a appris.</translation>
    </message>
    <message>
        <source>Open the child&apos;s window filling the screen and locked: only a grown-up&apos;s gesture (Ctrl+Shift+Q, then holding a button for 3 seconds) leaves it.</source>
        <translation>Ouvrir la fenêtre de l’enfant en plein écran et verrouillée&#xa0;: seul le geste d’un adulte (Ctrl+Maj+Q, puis maintenir un bouton 3 secondes) permet d’en sortir.</translation>
    </message>
    <message>
        <source>Make FILE the sound NAME (1 to 28, the letter itself, yes or no), made even with the program&apos;s recordings, and exit.</source>
        <translation>Faire du fichier FILE le son NAME (1 à 28, la lettre elle-même, yes ou no), mis au niveau des enregistrements du programme, et quitter.</translation>
    </message>
    <message>
        <source>Write every answer kept in the learning history as CSV to FILE (- for standard output) and exit.</source>
        <translation>Écrire toutes les réponses gardées dans l’historique d’apprentissage en CSV dans FILE (- pour la sortie standard) et quitter.</translation>
    </message>
    <message>
        <source>Write your own voices to FILE as a voice pack, for another computer, and exit.</source>
        <translation>Écrire vos propres voix dans FILE, en paquet de voix pour un autre ordinateur, et quitter.</translation>
    </message>
    <message>
        <source>Make the voices of the voice pack FILE your own (each own voice it replaces kept as N.wav.old) and exit.</source>
        <translation>Faire des voix du paquet FILE vos propres voix (chaque voix remplacée est gardée en N.wav.old) et quitter.</translation>
    </message>
    <message>
        <source>The sound file of --import-voice.</source>
        <translation>Le fichier son de --import-voice.</translation>
    </message>
    <message>
        <source>Choose one of --voices, --progress, --import-voice, --export-history, --export-voices and --import-voices.</source>
        <translation>Choisissez une seule option parmi --voices, --progress, --import-voice, --export-history, --export-voices et --import-voices.</translation>
    </message>
    <message>
        <source>--import-voice takes a NAME and one FILE: huroof --import-voice NAME FILE</source>
        <translation>--import-voice prend un NAME et un seul FILE&#xa0;: huroof --import-voice NAME FILE</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>--full-screen is for the child&apos;s window alone.</source>
        <translation>--full-screen ne vaut que pour la fenêtre de l’enfant.</translation>
    </message>
    <message>
        <source>Try &apos;huroof --help&apos; for the options.</source>
        <translation>Essayez «&#xa0;huroof --help&#xa0;» pour voir les options.</translation>
    </message>
    <message>
        <source>cannot open the voices: %1</source>
        <translation>impossible d’ouvrir la fenêtre des voix&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ConfusionMap</name>
    <message>
        <source>Letter asked</source>
        <translation>Lettre demandée</translation>
    </message>
    <message>
        <source>Letter clicked instead</source>
        <translation>Lettre cliquée à sa place</translation>
    </message>
    <message>
        <source>Mix-up map: the letter asked against the letter clicked instead</source>
        <translation>Carte des confusions&#xa0;: la lettre demandée face à la lettre cliquée à sa place</translation>
    </message>
    <message>
        <source>“%1” asked, “%2” never clicked instead</source>
        <translation>«&#xa0;%1&#xa0;» demandée, «&#xa0;%2&#xa0;» jamais cliquée à sa place</translation>
    </message>
    <message numerus="yes">
        <source>“%1” asked, “%2” clicked: %n time(s)</source>
        <translation>
            <numerusform>«&#xa0;%1&#xa0;» demandée, «&#xa0;%2&#xa0;» cliquée&#xa0;: %n fois</numerusform>
            <numerusform>«&#xa0;%1&#xa0;» demandée, «&#xa0;%2&#xa0;» cliquée&#xa0;: %n fois</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>My child</source>
        <translation>Mon enfant</translation>
    </message>
    <message>
        <source>%1 is the learning history itself; choose another file.</source>
        <translation>%1 est l’historique d’apprentissage lui-même&#xa0;; choisissez un autre fichier.</translation>
    </message>
    <message>
        <source>the standard output is the learning history itself.</source>
        <translation>la sortie standard est l’historique d’apprentissage lui-même.</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Language:</source>
        <translation>Langue&#xa0;:</translation>
    </message>
    <message>
        <source>Language of the grown-ups&apos; windows</source>
        <translation>Langue des fenêtres des adultes</translation>
    </message>
    <message>
        <source>The desktop&apos;s (%1)</source>
        <translation>Celle du bureau (%1)</translation>
    </message>
</context>
<context>
    <name>LeaveGesture</name>
    <message>
        <source>To leave full screen: hold this button until it fills with green (three seconds).</source>
        <translation>Pour quitter le plein écran&#xa0;: maintenez ce bouton appuyé jusqu’à ce qu’il soit tout vert (trois secondes).</translation>
    </message>
    <message>
        <source>Hold for three seconds to leave</source>
        <translation>Maintenir trois secondes pour quitter</translation>
    </message>
</context>
<context>
    <name>LetterMap</name>
    <message>
        <source>The letters, coloured by answers right on the first try</source>
        <translation>Les lettres, colorées selon les réponses justes du premier coup</translation>
    </message>
    <message>
        <source>%1: %2 of %3</source>
        <comment>a letter: its first tries right, of all its first tries</comment>
        <translation>%1&#xa0;: %2 sur %3</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the letters&apos; descriptions</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1, known</source>
        <comment>a letter&apos;s description, of a letter practice calls known</comment>
        <translation>%1, connue</translation>
    </message>
    <message>
        <source>Right on the first try: %1 of %2</source>
        <comment>a letter&apos;s first tries right, of its first tries in the period</comment>
        <translation>Trouvée du premier coup&#xa0;: %1 sur %2</translation>
    </message>
    <message>
        <source>Not asked in this period</source>
        <translation>Pas demandée sur cette période</translation>
    </message>
    <message>
        <source>Known: found on the first try after a day or more away, twice</source>
        <translation>Connue&#xa0;: trouvée du premier coup après au moins un jour d’absence, deux fois</translation>
    </message>
    <message>
        <source>Not known yet: known once found on the first try after a day or more away, twice</source>
        <translation>Pas encore connue&#xa0;: elle le sera une fois trouvée du premier coup après au moins un jour d’absence, deux fois</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Export answers</source>
        <translation>Exporter les réponses</translation>
    </message>
    <message>
        <source>What the child has learnt</source>
        <translation>Ce que l’enfant a appris</translation>
    </message>
    <message>
        <source>Who plays now:</source>
        <translation>Qui joue maintenant&#xa0;:</translation>
    </message>
    <message>
        <source>The child who plays now</source>
        <translation>L’enfant qui joue maintenant</translation>
    </message>
    <message>
        <source>A new child&apos;s name</source>
        <translation>Nom d’un nouvel enfant</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add the child, who then plays now</source>
        <translation>Ajouter l’enfant, qui joue dès maintenant</translation>
    </message>
    <message>
        <source>Report:</source>
        <translation>Bilan&#xa0;:</translation>
    </message>
    <message>
        <source>The child whose report is shown</source>
        <translation>L’enfant dont le bilan est affiché</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>Période&#xa0;:</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Les 7 derniers jours</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>Depuis le début</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Export answers…</source>
        <translation>Exporter les réponses…</translation>
    </message>
    <message>
        <source>Export all the answers to a CSV file</source>
        <translation>Exporter toutes les réponses dans un fichier CSV</translation>
    </message>
    <message>
        <source>Child&apos;s window full screen, locked</source>
        <translation>Fenêtre de l’enfant en plein écran, verrouillée</translation>
    </message>
    <message>
        <source>The child&apos;s window opens full screen, and no key the child presses leaves it. To leave: Ctrl+Shift+Q, then hold the button that appears for three seconds.</source>
        <translation>La fenêtre de l’enfant s’ouvre en plein écran, et aucune touche pressée par l’enfant ne l’en fait sortir. Pour en sortir&#xa0;: Ctrl+Shift+Q, puis maintenez enfoncé pendant trois secondes le bouton qui apparaît.</translation>
    </message>
    <message>
        <source>Answers in the contest and in practice are kept under the name of the child who “plays now”; the “Report” choice changes only what this window shows.</source>
        <translation>Les réponses du concours et de l’entraînement sont enregistrées au nom de l’enfant qui «&#xa0;joue maintenant&#xa0;»&#xa0;; le choix «&#xa0;Bilan&#xa0;» ne change que ce qu’affiche cette fenêtre.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Letters: found on the first try?</source>
        <translation>Les lettres&#xa0;: trouvées du premier coup&#xa0;?</translation>
    </message>
    <message>
        <source>Under each letter: times answered right on the first try / times asked.</source>
        <translation>Sous chaque lettre&#xa0;: réponses justes du premier coup / nombre de fois où elle a été demandée.</translation>
    </message>
    <message>
        <source>Not asked</source>
        <translation>Pas demandée</translation>
    </message>
    <message>
        <source>Letters mixed up</source>
        <translation>Lettres confondues</translation>
    </message>
    <message>
        <source>The letters most mixed up</source>
        <translation>Les lettres les plus souvent confondues</translation>
    </message>
    <message>
        <source>Each day: the number of answers, and the share right on the first try</source>
        <translation>Chaque jour&#xa0;: le nombre de réponses, et la part de réponses justes du premier coup</translation>
    </message>
    <message>
        <source>Answers each day</source>
        <translation>Les réponses de chaque jour</translation>
    </message>
    <message>
        <source>Number of answers (right axis)</source>
        <translation>Réponses (à droite)</translation>
    </message>
    <message>
        <source>Number of answers (left axis)</source>
        <translation>Réponses (à gauche)</translation>
    </message>
    <message>
        <source>Right on the first try, % (left axis)</source>
        <translation>Justes du 1er coup,&#xa0;% (à gauche)</translation>
    </message>
    <message>
        <source>Right on the first try, % (right axis)</source>
        <translation>Justes du 1er coup,&#xa0;% (à droite)</translation>
    </message>
    <message>
        <source>Practice plan</source>
        <translation>Plan d’entraînement</translation>
    </message>
    <message>
        <source>New letters:</source>
        <translation>Nouvelles lettres&#xa0;:</translation>
    </message>
    <message>
        <source>Most common first</source>
        <translation>Les plus fréquentes d’abord</translation>
    </message>
    <message>
        <source>In alphabetical order</source>
        <translation>Dans l’ordre alphabétique</translation>
    </message>
    <message>
        <source>The order of new letters in practice</source>
        <translation>L’ordre des nouvelles lettres à l’entraînement</translation>
    </message>
    <message>
        <source>The learning history cannot be opened, so answers are not kept now: %1</source>
        <translation>Impossible d’ouvrir l’historique d’apprentissage, les réponses ne sont donc pas enregistrées pour l’instant&#xa0;: %1</translation>
    </message>
    <message>
        <source>The learning history was damaged: it was put aside as %1 and a new one begun.</source>
        <translation>L’historique d’apprentissage était endommagé&#xa0;: il a été mis de côté sous le nom %1 et un nouvel historique a été commencé.</translation>
    </message>
    <message>
        <source>The learning history cannot be written to, so new answers are not kept.</source>
        <translation>Impossible d’écrire dans l’historique d’apprentissage&#xa0;: les nouvelles réponses ne sont pas enregistrées.</translation>
    </message>
    <message>
        <source>%1 plays now: their next answers are kept under their name.</source>
        <translation>%1 joue maintenant&#xa0;: ses prochaines réponses sont enregistrées à son nom.</translation>
    </message>
    <message>
        <source>The choice of child cannot be kept.</source>
        <translation>Impossible d’enregistrer le choix de l’enfant.</translation>
    </message>
    <message>
        <source>The child</source>
        <comment>in place of a name</comment>
        <translation>L’enfant</translation>
    </message>
    <message>
        <source>The learning history cannot be read.</source>
        <translation>Impossible de lire l’historique d’apprentissage.</translation>
    </message>
    <message numerus="yes">
        <source>Clicked “%1” instead of “%2”: %n time(s)</source>
        <translation>
            <numerusform>A cliqué sur «&#xa0;%1&#xa0;» au lieu de «&#xa0;%2&#xa0;»&#xa0;: %n fois</numerusform>
            <numerusform>A cliqué sur «&#xa0;%1&#xa0;» au lieu de «&#xa0;%2&#xa0;»&#xa0;: %n fois</numerusform>
        </translation>
    </message>
    <message>
        <source>No letters mixed up in this period.</source>
        <translation>Aucune lettre confondue sur cette période.</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the letters of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1: new, not asked yet</source>
        <translation>%1&#xa0;: nouvelle, pas encore demandée</translation>
    </message>
    <message>
        <source>%1: missed the last time it was asked</source>
        <translation>%1&#xa0;: manquée la dernière fois qu’elle a été demandée</translation>
    </message>
    <message>
        <source>All the letters are in practice.</source>
        <translation>Toutes les lettres sont entrées dans l’entraînement.</translation>
    </message>
    <message>
        <source>The order of new letters cannot be kept.</source>
        <translation>Impossible d’enregistrer l’ordre des nouvelles lettres.</translation>
    </message>
    <message>
        <source>Today: not played yet.</source>
        <translation>Aujourd’hui&#xa0;: pas encore joué.</translation>
    </message>
    <message numerus="yes">
        <source>Today: %n answer(s), %1% right on the first try.</source>
        <translation>
            <numerusform>Aujourd’hui&#xa0;: %n réponse, %1&#xa0;% juste du 1er coup.</numerusform>
            <numerusform>Aujourd’hui&#xa0;: %n réponses, %1&#xa0;% justes du 1er coup.</numerusform>
        </translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Réponses</translation>
    </message>
    <message>
        <source>The answers were exported to %1.</source>
        <translation>Les réponses ont été exportées dans %1.</translation>
    </message>
    <message>
        <source>The file %1 could not be saved.</source>
        <translation>Le fichier %1 n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Every time</source>
        <comment>found on the first try</comment>
        <translation>À chaque fois</translation>
    </message>
    <message>
        <source>Sometimes</source>
        <comment>found on the first try</comment>
        <translation>Parfois</translation>
    </message>
    <message>
        <source>Never</source>
        <comment>found on the first try</comment>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>Known</source>
        <comment>a letter practice calls known</comment>
        <translation>Connue</translation>
    </message>
    <message>
        <source>Known: found on the first try after a day or more away, twice, with no miss since</source>
        <translation>Connue&#xa0;: trouvée du premier coup après au moins un jour d’absence, deux fois, sans erreur depuis</translation>
    </message>
    <message>
        <source>%1 has not answered in the contest or in practice yet.
Once they play, how often they find each letter on the first try, the letters they mix up and their practice plan show here.</source>
        <translation>%1 n’a encore répondu ni au concours ni à l’entraînement.
Dès les premières réponses, vous verrez ici les lettres trouvées du premier coup, les lettres confondues et le plan d’entraînement.</translation>
    </message>
    <message numerus="yes">
        <source>%1: clicked “%2” when “%3” was asked, %n time(s) this week</source>
        <translation>
            <numerusform>%1&#xa0;: a cliqué sur «&#xa0;%2&#xa0;» quand «&#xa0;%3&#xa0;» était demandée, une fois cette semaine</numerusform>
            <numerusform>%1&#xa0;: a cliqué sur «&#xa0;%2&#xa0;» quand «&#xa0;%3&#xa0;» était demandée, %n fois cette semaine</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: right on the first try the last %n time(s) it was asked</source>
        <translation>
            <numerusform>%1&#xa0;: trouvée du premier coup la dernière fois qu’elle a été demandée</numerusform>
            <numerusform>%1&#xa0;: trouvée du premier coup les %n dernières fois qu’elle a été demandée</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: last asked today</source>
        <translation>%1&#xa0;: dernière question aujourd’hui</translation>
    </message>
    <message numerus="yes">
        <source>%1: last asked %n day(s) ago</source>
        <translation>
            <numerusform>%1&#xa0;: dernière question il y a %n jour</numerusform>
            <numerusform>%1&#xa0;: dernière question il y a %n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>Learning now</source>
        <translation>En cours d’apprentissage</translation>
    </message>
    <message>
        <source>%1: right on the first try the last time each was asked</source>
        <translation>%1&#xa0;: chacune trouvée du premier coup la dernière fois qu’elle a été demandée</translation>
    </message>
    <message>
        <source>None for now: every letter on the board is known.</source>
        <translation>Aucune pour l’instant&#xa0;: toutes les lettres du tableau sont connues.</translation>
    </message>
    <message>
        <source>To review today</source>
        <translation>À revoir aujourd’hui</translation>
    </message>
    <message>
        <source>Nothing for now: a known letter comes back here as its memory fades.</source>
        <translation>Rien pour l’instant&#xa0;: une lettre connue revient ici quand son souvenir s’estompe.</translation>
    </message>
    <message>
        <source>Known letters whose memory has faded: practice asks them first.</source>
        <translation>Des lettres connues dont le souvenir s’estompe&#xa0;: l’entraînement les demande d’abord.</translation>
    </message>
    <message>
        <source>Next new letter</source>
        <translation>Prochaine nouvelle lettre</translation>
    </message>
    <message>
        <source>%1: comes when no letter is due to be asked again and the child has been right on the first try lately</source>
        <translation>%1&#xa0;: arrive quand aucune lettre n’est à redemander et que l’enfant a trouvé du premier coup ces derniers temps</translation>
    </message>
    <message numerus="yes">
        <source>Known letters: %n of 28</source>
        <translation>
            <numerusform>Lettres connues&#xa0;: %n sur 28</numerusform>
            <numerusform>Lettres connues&#xa0;: %n sur 28</numerusform>
        </translation>
    </message>
    <message>
        <source>None yet.</source>
        <translation>Aucune pour l’instant.</translation>
    </message>
    <message>
        <source>A letter is known once the child found it on the first try after a day or more away, twice, with no miss since; a miss puts it back among the letters being learnt.</source>
        <translation>Une lettre est connue quand l’enfant l’a trouvée du premier coup après au moins un jour d’absence, deux fois, sans erreur depuis&#xa0;; une erreur la remet parmi les lettres en cours d’apprentissage.</translation>
    </message>
    <message>
        <source>%1%</source>
        <comment>the share axis&apos;s labels: %1 the number</comment>
        <translation>%1&#xa0;%</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>SdlRecorder</name>
    <message>
        <source>There is no microphone to record from (%1). You can still import a sound from a file.</source>
        <translation>Il n’y a pas de micro pour enregistrer (%1). Vous pouvez toujours importer un son depuis un fichier.</translation>
    </message>
    <message>
        <source>The microphone is still not answering. Close the window and open it again, or import a sound from a file.</source>
        <translation>Le micro ne répond toujours pas. Fermez la fenêtre et rouvrez-la, ou importez un son depuis un fichier.</translation>
    </message>
</context>
<context>
    <name>VoiceFiles</name>
    <message>
        <source>Cannot write to the folder %1 (%2): nothing changed.</source>
        <translation>Impossible d’écrire dans le dossier %1 (%2)&#xa0;: rien n’a changé.</translation>
    </message>
    <message>
        <source>the right answer</source>
        <translation>la bonne réponse</translation>
    </message>
    <message>
        <source>the wrong answer</source>
        <translation>la mauvaise réponse</translation>
    </message>
    <message>
        <source>No voice can be heard, so nothing was kept.</source>
        <translation>On n’entend aucune voix, rien n’a donc été gardé.</translation>
    </message>
    <message>
        <source>it cannot be created</source>
        <translation>impossible de le créer</translation>
    </message>
    <message>
        <source>%1 is still there</source>
        <translation>%1 est toujours là</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
</context>
<context>
    <name>VoiceImport</name>
    <message>
        <source>%1: there is no file with this name.</source>
        <translation>%1&#xa0;: aucun fichier ne porte ce nom.</translation>
    </message>
    <message>
        <source>%1: this is a folder, not a sound file.</source>
        <translation>%1&#xa0;: c’est un dossier, pas un fichier son.</translation>
    </message>
    <message>
        <source>%1: not an ordinary file (a pipe or a device), so no sound is read from it.</source>
        <translation>%1&#xa0;: ce n’est pas un fichier ordinaire (un tube ou un périphérique), aucun son n’y est donc lu.</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2).</source>
        <translation>%1&#xa0;: impossible de le lire (%2).</translation>
    </message>
    <message>
        <source>Sounds cannot be decoded: %1</source>
        <translation>Impossible de décoder les sons&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: longer than %n second(s).</source>
        <translation>
            <numerusform>%1&#xa0;: plus long que %n seconde.</numerusform>
            <numerusform>%1&#xa0;: plus long que %n secondes.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: not a sound the program knows.</source>
        <translation>%1&#xa0;: ce n’est pas un son que le programme connaît.</translation>
    </message>
    <message>
        <source>%1: no voice can be heard in it, so nothing was kept.</source>
        <translation>%1&#xa0;: on n’y entend aucune voix, rien n’a donc été gardé.</translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, far more than any voice, so it is not read.</source>
        <translation>%1&#xa0;: plus de %2&#xa0;Mo, bien plus qu’aucune voix, il n’est donc pas lu.</translation>
    </message>
    <message>
        <source>%1: shorter than its header says (cut short, or never finished), so it would not play.</source>
        <translation>%1&#xa0;: plus court que ne le dit son en-tête (coupé, ou jamais achevé), il ne serait donc pas joué.</translation>
    </message>
    <message>
        <source>%1: recorded at %2 Hz, too few samples a second for a voice (%3 Hz at least).</source>
        <translation>%1&#xa0;: enregistré à %2&#xa0;Hz, trop peu d’échantillons par seconde pour une voix (%3&#xa0;Hz au moins).</translation>
    </message>
    <message>
        <source>%1: more than %2 MB of sound once decoded, far more than any voice.</source>
        <translation>%1&#xa0;: plus de %2&#xa0;Mo de son une fois décodé, bien plus qu’aucune voix.</translation>
    </message>
    <message>
        <source>%1: this file&apos;s name is not UTF-8 text, so the program cannot open it: rename it, then import it.</source>
        <translation>%1&#xa0;: le nom de ce fichier n’est pas du texte UTF-8, le programme ne peut donc pas l’ouvrir&#xa0;: renommez-le, puis importez-le.</translation>
    </message>
</context>
<context>
    <name>VoicePack</name>
    <message numerus="yes">
        <source>%n channel(s)</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canaux</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>no sound in it</source>
        <translation>aucun son</translation>
    </message>
    <message>
        <source>%1: %2 Nothing changed.</source>
        <translation>%1&#xa0;: %2 Rien n’a changé.</translation>
    </message>
    <message>
        <source>not a valid voice pack (%1).</source>
        <translation>ce n’est pas un paquet de voix valable (%1).</translation>
    </message>
    <message>
        <source>“%1” is longer than the pack says: the pack is damaged.</source>
        <translation>«&#xa0;%1&#xa0;» est plus long que ce qu’en dit le paquet&#xa0;: le paquet est abîmé.</translation>
    </message>
    <message>
        <source>“%1” is larger than it can be: not a valid voice pack.</source>
        <translation>«&#xa0;%1&#xa0;» est plus gros qu’il ne peut l’être&#xa0;: ce n’est pas un paquet de voix valable.</translation>
    </message>
    <message>
        <source>its voices are larger than %1 MB.</source>
        <translation>ses voix dépassent %1 Mo.</translation>
    </message>
    <message>
        <source>“%1” is larger than %2 MB.</source>
        <translation>«&#xa0;%1&#xa0;» dépasse %2 Mo.</translation>
    </message>
    <message>
        <source>“%1” is shorter than the pack says: the pack is damaged.</source>
        <translation>«&#xa0;%1&#xa0;» est plus court que ce qu’en dit le paquet&#xa0;: le paquet est abîmé.</translation>
    </message>
    <message>
        <source>“%1” cannot be read: not a valid voice pack.</source>
        <translation>«&#xa0;%1&#xa0;» est illisible&#xa0;: ce n’est pas un paquet de voix valable.</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (format %1): update the program, then import it.</source>
        <translation>il a été fait par une version plus récente du programme (format %1)&#xa0;: mettez le programme à jour, puis importez-le.</translation>
    </message>
    <message>
        <source>there is no file with this name.</source>
        <translation>aucun fichier ne porte ce nom.</translation>
    </message>
    <message>
        <source>this is a folder, not a voice pack.</source>
        <translation>c’est un dossier, pas un paquet de voix.</translation>
    </message>
    <message>
        <source>not an ordinary file (a pipe or a device), so no pack is read from it.</source>
        <translation>ce n’est pas un fichier ordinaire (un tube ou un périphérique), aucun paquet n’y est donc lu.</translation>
    </message>
    <message>
        <source>larger than %1 MB, so not a voice pack.</source>
        <translation>plus de %1 Mo, ce n’est donc pas un paquet de voix.</translation>
    </message>
    <message>
        <source>cannot be read (%1).</source>
        <translation>impossible de le lire (%1).</translation>
    </message>
    <message>
        <source>it holds a file without a name.</source>
        <translation>il contient un fichier sans nom.</translation>
    </message>
    <message>
        <source>“%1” leads out of the voices folder.</source>
        <translation>«&#xa0;%1&#xa0;» sort du dossier des voix.</translation>
    </message>
    <message>
        <source>“%1” is a link, not a sound file.</source>
        <translation>«&#xa0;%1&#xa0;» est un lien, pas un fichier son.</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a sound file.</source>
        <translation>«&#xa0;%1&#xa0;» est un dossier, pas un fichier son.</translation>
    </message>
    <message>
        <source>“%1” is not an ordinary file.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>“%1” is encrypted.</source>
        <translation>«&#xa0;%1&#xa0;» est chiffré.</translation>
    </message>
    <message>
        <source>not a voice pack: it does not start with %1.</source>
        <translation>ce n’est pas un paquet de voix&#xa0;: il ne commence pas par %1.</translation>
    </message>
    <message>
        <source>“%1” is not one of the program&apos;s sounds.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas l’un des sons du programme.</translation>
    </message>
    <message>
        <source>“%1” is in it twice.</source>
        <translation>«&#xa0;%1&#xa0;» y est deux fois.</translation>
    </message>
    <message>
        <source>“%1” is not a WAVE file the program accepts (%2).</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un fichier WAVE que le programme accepte (%2).</translation>
    </message>
    <message>
        <source>not a voice pack: there is no %1 in it.</source>
        <translation>ce n’est pas un paquet de voix&#xa0;: il ne contient pas de %1.</translation>
    </message>
    <message>
        <source>“%1” is in %2 but not in the pack: the pack is incomplete.</source>
        <translation>«&#xa0;%1&#xa0;» est dans %2 mais pas dans le paquet&#xa0;: le paquet est incomplet.</translation>
    </message>
    <message>
        <source>“%1” is in the pack but not in %2: the pack is damaged.</source>
        <translation>«&#xa0;%1&#xa0;» est dans le paquet mais pas dans %2&#xa0;: le paquet est abîmé.</translation>
    </message>
    <message>
        <source>there is no sound in the pack.</source>
        <translation>il n’y a aucun son dans le paquet.</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2). Nothing was written.</source>
        <translation>%1&#xa0;: impossible de le lire (%2). Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, so no pack can hold it. Nothing was written.</source>
        <translation>%1&#xa0;: plus de %2 Mo, aucun paquet ne peut donc le contenir. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>%1: not a WAVE file the program accepts (%2), so no pack can hold it: import it again. Nothing was written.</source>
        <translation>%1&#xa0;: ce n’est pas un fichier WAVE que le programme accepte (%2), aucun paquet ne peut donc le contenir&#xa0;: importez-le à nouveau. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>Your voices are larger than %1 MB, so no pack can hold them. Nothing was written.</source>
        <translation>Vos voix dépassent %1 Mo, aucun paquet ne peut donc les contenir. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>You have no voice of your own in %1 yet: record or import one first. Nothing was written.</source>
        <translation>Vous n’avez encore aucune voix à vous dans %1&#xa0;: enregistrez-en ou importez-en une d’abord. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>Cannot write %1 (%2). Nothing was written.</source>
        <translation>Impossible d’écrire %1 (%2). Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>%1: this is a folder; write a file name for the pack. Nothing was written.</source>
        <translation>%1&#xa0;: c’est un dossier&#xa0;; écrivez un nom de fichier pour le paquet. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the names of the files in a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>its list of files cannot be read</source>
        <translation>sa liste de fichiers est illisible</translation>
    </message>
    <message>
        <source>“%1” is named “%2” in its own header: the pack is damaged.</source>
        <translation>«&#xa0;%1&#xa0;» s’appelle «&#xa0;%2&#xa0;» dans son propre en-tête&#xa0;: le paquet est abîmé.</translation>
    </message>
    <message>
        <source>it is shorter than its header says: cut short, or never finished</source>
        <translation>il est plus court que ne le dit son en-tête&#xa0;: coupé, ou jamais achevé</translation>
    </message>
    <message>
        <source>no WAVE header</source>
        <translation>pas d’en-tête WAVE</translation>
    </message>
    <message>
        <source>Cannot write %1 in the folder %2 (%3).</source>
        <translation>Impossible d’écrire %1 dans le dossier %2 (%3).</translation>
    </message>
    <message>
        <source>Taken from the pack before that: %1.</source>
        <translation>Pris du paquet avant cela&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Your own voices they replaced are kept as %1.</source>
        <translation>Vos propres voix qu’elles ont remplacées sont gardées sous %1.</translation>
    </message>
    <message>
        <source>%1 and the voices after it in the pack were not taken: they are as they were.</source>
        <translation>%1 et les voix qui le suivent dans le paquet n’ont pas été pris&#xa0;: elles sont comme avant.</translation>
    </message>
    <message>
        <source>%1 is the file of your own voice for %2: write the pack to another file. Nothing was written.</source>
        <translation>%1 est le fichier de votre voix pour %2&#xa0;: écrivez le paquet dans un autre fichier. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>this file&apos;s name is not UTF-8 text, so the program cannot open it: rename it, then import it.</source>
        <translation>le nom de ce fichier n’est pas du texte UTF-8, le programme ne peut donc pas l’ouvrir&#xa0;: renommez-le, puis importez-le.</translation>
    </message>
</context>
<context>
    <name>VoicesApp</name>
    <message>
        <source>The file could not be imported.</source>
        <translation>Le fichier n’a pas pu être importé.</translation>
    </message>
    <message>
        <source>The file could not be imported: %1</source>
        <translation>Le fichier n’a pas pu être importé&#xa0;: %1</translation>
    </message>
    <message>
        <source>Choose a sound file</source>
        <translation>Choisir un fichier son</translation>
    </message>
    <message>
        <source>Sounds (%1)</source>
        <translation>Sons (%1)</translation>
    </message>
    <message>
        <source>All files (%1)</source>
        <translation>Tous les fichiers (%1)</translation>
    </message>
    <message>
        <source>Save your voices to a file</source>
        <translation>Sauvegarder vos voix dans un fichier</translation>
    </message>
    <message>
        <source>Huroof voices (%1)</source>
        <translation>Voix de Huroof (%1)</translation>
    </message>
    <message>
        <source>Take voices from a file</source>
        <translation>Prendre des voix dans un fichier</translation>
    </message>
    <message>
        <source>usage: huroof --import-voice NAME FILE</source>
        <translation>utilisation&#xa0;: huroof --import-voice NAME FILE</translation>
    </message>
    <message>
        <source>%1 is not the name of a voice: write a number from 1 to 28, the letter itself, yes or no.</source>
        <translation>%1 n’est pas le nom d’une voix&#xa0;: écrivez un nombre de 1 à 28, la lettre elle-même, yes ou no.</translation>
    </message>
    <message>
        <source>usage: huroof --export-voices FILE</source>
        <translation>utilisation&#xa0;: huroof --export-voices FILE</translation>
    </message>
    <message>
        <source>usage: huroof --import-voices FILE</source>
        <translation>utilisation&#xa0;: huroof --import-voices FILE</translation>
    </message>
    <message numerus="yes">
        <source>The file was still being read after %n second(s): stopped, nothing changed.</source>
        <translation>
            <numerusform>Le fichier était encore en lecture après %n seconde&#xa0;: arrêté, rien n’a changé.</numerusform>
            <numerusform>Le fichier était encore en lecture après %n secondes&#xa0;: arrêté, rien n’a changé.</numerusform>
        </translation>
    </message>
    <message>
        <source>The import was stopped: nothing changed.</source>
        <translation>L’import a été arrêté&#xa0;: rien n’a changé.</translation>
    </message>
</context>
<context>
    <name>VoicesWindow</name>
    <message>
        <source>Listen</source>
        <translation>Écouter</translation>
    </message>
    <message>
        <source>Listen to %1</source>
        <translation>Écouter %1</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Record your voice for %1</source>
        <translation>Enregistrer votre voix pour %1</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop recording for %1</source>
        <translation>Arrêter l’enregistrement pour %1</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Garder</translation>
    </message>
    <message>
        <source>Keep the new take for %1</source>
        <translation>Garder le nouvel enregistrement pour %1</translation>
    </message>
    <message>
        <source>Throw away</source>
        <translation>Jeter</translation>
    </message>
    <message>
        <source>Throw away the new take for %1</source>
        <translation>Jeter le nouvel enregistrement pour %1</translation>
    </message>
    <message>
        <source>From a file…</source>
        <translation>Depuis un fichier…</translation>
    </message>
    <message>
        <source>Import a sound from a file for %1</source>
        <translation>Importer un son depuis un fichier pour %1</translation>
    </message>
    <message>
        <source>Back to the program&apos;s voice</source>
        <translation>Revenir à la voix du programme</translation>
    </message>
    <message>
        <source>Back to the program&apos;s voice for %1</source>
        <translation>Revenir à la voix du programme pour %1</translation>
    </message>
    <message>
        <source>The program&apos;s voice</source>
        <translation>Voix du programme</translation>
    </message>
    <message>
        <source>Your voice</source>
        <translation>Votre voix</translation>
    </message>
    <message>
        <source>New take, not kept</source>
        <translation>Nouvel enregistrement, non gardé</translation>
    </message>
    <message>
        <source>Recording now</source>
        <translation>Enregistrement en cours</translation>
    </message>
    <message>
        <source>Your new take is not kept yet: listen to it, then keep it or throw it away.</source>
        <translation>Votre nouvel enregistrement n’est pas encore gardé&#xa0;: écoutez-le, puis gardez-le ou jetez-le.</translation>
    </message>
    <message>
        <source>The right answer</source>
        <translation>La bonne réponse</translation>
    </message>
    <message>
        <source>The wrong answer</source>
        <translation>La mauvaise réponse</translation>
    </message>
    <message>
        <source>Record your voice</source>
        <translation>Enregistrer votre voix</translation>
    </message>
    <message>
        <source>The child hears your voice instead of the program&apos;s. In each row: listen, then record the letter in your voice (recording stops by itself after five seconds) or take it from a sound file, then listen to your take and keep it or throw it away.</source>
        <translation>L’enfant entend votre voix à la place de celle du programme. Sur chaque ligne&#xa0;: écoutez, puis enregistrez la lettre avec votre voix (l’enregistrement s’arrête tout seul après cinq secondes) ou prenez-la dans un fichier son, puis écoutez votre enregistrement et gardez-le ou jetez-le.</translation>
    </message>
    <message>
        <source>Save your voices to a file…</source>
        <translation>Sauvegarder vos voix dans un fichier…</translation>
    </message>
    <message>
        <source>Save all your voices in one file for another computer</source>
        <translation>Sauvegarder toutes vos voix dans un seul fichier pour un autre ordinateur</translation>
    </message>
    <message>
        <source>Take voices from a file…</source>
        <translation>Prendre des voix dans un fichier…</translation>
    </message>
    <message>
        <source>Take the voices from a file they were saved in on another computer</source>
        <translation>Prendre les voix d’un fichier où elles ont été sauvegardées sur un autre ordinateur</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>State of %1</source>
        <translation>État de %1</translation>
    </message>
    <message>
        <source>Sound level for %1</source>
        <translation>Niveau sonore pour %1</translation>
    </message>
    <message>
        <source>Sound level</source>
        <translation>Niveau sonore</translation>
    </message>
    <message>
        <source>Message for %1</source>
        <translation>Message pour %1</translation>
    </message>
    <message>
        <source>The microphone is not answering, so nothing was recorded. Check that it is plugged in, or import a sound from a file.</source>
        <translation>Le micro ne répond pas, rien n’a donc été enregistré. Vérifiez qu’il est bien branché, ou importez un son depuis un fichier.</translation>
    </message>
    <message>
        <source>Recording for %1 now: speak, then press “Stop”.</source>
        <translation>Enregistrement pour %1 en cours&#xa0;: parlez, puis appuyez sur «&#xa0;Arrêter&#xa0;».</translation>
    </message>
    <message>
        <source>Cannot write to the folder %1: nothing changed.</source>
        <translation>Impossible d’écrire dans le dossier %1&#xa0;: rien n’a changé.</translation>
    </message>
    <message>
        <source>This is your new take for %1: listen to it, then keep it or throw it away.</source>
        <translation>Voici votre nouvel enregistrement pour %1&#xa0;: écoutez-le, puis gardez-le ou jetez-le.</translation>
    </message>
    <message>
        <source>Your voice for %1 is kept.</source>
        <translation>Votre voix pour %1 est gardée.</translation>
    </message>
    <message>
        <source>Importing %1…</source>
        <translation>Importation de %1…</translation>
    </message>
    <message>
        <source>Your voices are saved in %1. On the other computer, open it in Huroof with “Take voices from a file…”.</source>
        <translation>Vos voix sont sauvegardées dans %1. Sur l’autre ordinateur, ouvrez-le dans Huroof avec «&#xa0;Prendre des voix dans un fichier…&#xa0;».</translation>
    </message>
    <message>
        <source>The voices in the file are the same as yours: nothing changed.</source>
        <translation>Les voix du fichier sont déjà les vôtres&#xa0;: rien n’a changé.</translation>
    </message>
    <message numerus="yes">
        <source>%n sound(s) taken from the file; your earlier voices are kept aside.</source>
        <translation>
            <numerusform>%n son pris dans le fichier&#xa0;; vos anciennes voix sont mises de côté.</numerusform>
            <numerusform>%n sons pris dans le fichier&#xa0;; vos anciennes voix sont mises de côté.</numerusform>
        </translation>
    </message>
    <message>
        <source>The program&apos;s voice is back for %1.</source>
        <translation>La voix du programme est revenue pour %1.</translation>
    </message>
    <message>
        <source>Keep or throw away your new take first, then choose.</source>
        <translation>Gardez ou jetez d’abord votre nouvel enregistrement, puis choisissez.</translation>
    </message>
</context>
</TS>
