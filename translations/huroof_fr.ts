<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>cannot export the learning history: %1</source>
        <translation>impossible d’exporter l’historique d’apprentissage : %1</translation>
    </message>
    <message>
        <source>cannot open the progress window: %1</source>
        <translation>impossible d’ouvrir la fenêtre des progrès : %1</translation>
    </message>
    <message>
        <source>Huroof</source>
        <translation>Huroof</translation>
    </message>
    <message>
        <source>Arabic letters for young children: hear each letter, then find it in the letters contest.</source>
        <translation>Les lettres arabes pour les jeunes enfants : écouter chaque lettre, puis la retrouver dans le concours de lettres.</translation>
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
        <translation>Ouvrir la fenêtre de l’enfant en plein écran et verrouillée : seul le geste d’un adulte (Ctrl+Maj+Q, puis maintenir un bouton 3 secondes) permet d’en sortir.</translation>
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
        <translation>--import-voice prend un NAME et un seul FILE : huroof --import-voice NAME FILE</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>--full-screen is for the child&apos;s window alone.</source>
        <translation>--full-screen ne vaut que pour la fenêtre de l’enfant.</translation>
    </message>
    <message>
        <source>Try &apos;huroof --help&apos; for the options.</source>
        <translation>Essayez « huroof --help » pour voir les options.</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>My child</source>
        <translation>Mon enfant</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Language:</source>
        <translation>Langue :</translation>
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
        <translation>Pour quitter le plein écran : maintenez ce bouton appuyé jusqu’à ce qu’il soit tout vert (trois secondes).</translation>
    </message>
    <message>
        <source>Hold for three seconds to leave</source>
        <translation>Maintenir trois secondes pour quitter</translation>
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
</TS>
