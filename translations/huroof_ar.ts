<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>CommandLine</name>
    <message>
        <source>cannot export the learning history: %1</source>
        <translation>لا يمكن تصدير سجل التعلّم: %1</translation>
    </message>
    <message>
        <source>cannot open the progress window: %1</source>
        <translation>لا يمكن فتح نافذة ماذا تعلّم الطفل: %1</translation>
    </message>
    <message>
        <source>Huroof</source>
        <translation>برنامج الحروف</translation>
    </message>
    <message>
        <source>Arabic letters for young children: hear each letter, then find it in the letters contest.</source>
        <translation>الحروف العربية للأطفال الصغار: استمع إلى كل حرف، ثم ابحث عنه في مسابقة الحروف.</translation>
    </message>
    <message>
        <source>Show these options and exit.</source>
        <translation>اعرض هذه الخيارات واخرج.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and exit.</source>
        <translation>اعرض إصدار البرنامج واخرج.</translation>
    </message>
    <message>
        <source>Open the window where a grown-up records the program&apos;s sounds in their own voice.</source>
        <translation>افتح النافذة التي يسجّل فيها الكبير أصوات البرنامج بصوته.</translation>
    </message>
    <message>
        <source>Open the window of what each child has learnt.</source>
        <translation>افتح نافذة ما تعلّمه كل طفل.</translation>
    </message>
    <message>
        <source>Open the child&apos;s window filling the screen and locked: only a grown-up&apos;s gesture (Ctrl+Shift+Q, then holding a button for 3 seconds) leaves it.</source>
        <translation>افتح نافذة الطفل بملء الشاشة مقفلة: لا يخرج منها إلا الكبير بحركة (Ctrl+Shift+Q ثم إمساك زر ثلاث ثوانٍ).</translation>
    </message>
    <message>
        <source>Make FILE the sound NAME (1 to 28, the letter itself, yes or no), made even with the program&apos;s recordings, and exit.</source>
        <translation>اجعل FILE صوت NAME (من 1 إلى 28، أو الحرف نفسه، أو yes أو no)، بعد تسويته مع تسجيلات البرنامج، واخرج.</translation>
    </message>
    <message>
        <source>Write every answer kept in the learning history as CSV to FILE (- for standard output) and exit.</source>
        <translation>اكتب كل الإجابات المحفوظة في سجل التعلّم بصيغة CSV في FILE (- للإخراج القياسي) واخرج.</translation>
    </message>
    <message>
        <source>Write your own voices to FILE as a voice pack, for another computer, and exit.</source>
        <translation>احفظ أصواتك في FILE ملفَّ أصوات لحاسوب آخر، واخرج.</translation>
    </message>
    <message>
        <source>Make the voices of the voice pack FILE your own (each own voice it replaces kept as N.wav.old) and exit.</source>
        <translation>اجعل أصوات ملف الأصوات FILE أصواتك (ويُحفظ كل صوت لك تحلّ محلّه باسم N.wav.old)، واخرج.</translation>
    </message>
    <message>
        <source>The sound file of --import-voice.</source>
        <translation>ملف الصوت لـ ‎--import-voice.</translation>
    </message>
    <message>
        <source>Choose one of --voices, --progress, --import-voice, --export-history, --export-voices and --import-voices.</source>
        <translation>اختر واحدًا فقط من ‎--voices و‎--progress و‎--import-voice و‎--export-history و‎--export-voices و‎--import-voices.</translation>
    </message>
    <message>
        <source>--import-voice takes a NAME and one FILE: huroof --import-voice NAME FILE</source>
        <translation>يأخذ ‎--import-voice اسمًا (NAME) وملفًا واحدًا (FILE): huroof --import-voice NAME FILE</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>وسيط غير متوقع: «%1».</translation>
    </message>
    <message>
        <source>--full-screen is for the child&apos;s window alone.</source>
        <translation>‎--full-screen لنافذة الطفل وحدها.</translation>
    </message>
    <message>
        <source>Try &apos;huroof --help&apos; for the options.</source>
        <translation>اكتب ‎&apos;huroof --help&apos;‎ لترى الخيارات.</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>My child</source>
        <translation>طفلي</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Language:</source>
        <translation>اللغة:</translation>
    </message>
    <message>
        <source>Language of the grown-ups&apos; windows</source>
        <translation>لغة نوافذ الكبار</translation>
    </message>
    <message>
        <source>The desktop&apos;s (%1)</source>
        <translation>لغة سطح المكتب (%1)</translation>
    </message>
</context>
<context>
    <name>LeaveGesture</name>
    <message>
        <source>To leave full screen: hold this button until it fills with green (three seconds).</source>
        <translation>للخروج من ملء الشاشة: أمسك هذا الزر حتى يمتلئ بالأخضر (ثلاث ثوانٍ).</translation>
    </message>
    <message>
        <source>Hold for three seconds to leave</source>
        <translation>أمسكه ثلاث ثوانٍ للخروج</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>RTL</translation>
    </message>
</context>
</TS>
