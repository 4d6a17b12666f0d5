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
    <message>
        <source>cannot open the voices: %1</source>
        <translation>لا يمكن فتح نافذة الأصوات: %1</translation>
    </message>
</context>
<context>
    <name>ConfusionMap</name>
    <message>
        <source>Letter asked</source>
        <translation>الحرف المطلوب</translation>
    </message>
    <message>
        <source>Letter clicked instead</source>
        <translation>الحرف الذي ضغطه بدلًا منه</translation>
    </message>
    <message>
        <source>Mix-up map: the letter asked against the letter clicked instead</source>
        <translation>خريطة الخلط: الحرف المطلوب أمام الحرف الذي ضُغط بدلًا منه</translation>
    </message>
    <message>
        <source>“%1” asked, “%2” never clicked instead</source>
        <translation>طُلب «%1» ولم يُضغط «%2» بدلًا منه</translation>
    </message>
    <message numerus="yes">
        <source>“%1” asked, “%2” clicked: %n time(s)</source>
        <translation>
            <numerusform>طُلب «%1» فضُغط «%2»: %n مرة</numerusform>
            <numerusform>طُلب «%1» فضُغط «%2»: مرة واحدة</numerusform>
            <numerusform>طُلب «%1» فضُغط «%2»: مرتان</numerusform>
            <numerusform>طُلب «%1» فضُغط «%2»: %n مرات</numerusform>
            <numerusform>طُلب «%1» فضُغط «%2»: %n مرة</numerusform>
            <numerusform>طُلب «%1» فضُغط «%2»: %n مرة</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>My child</source>
        <translation>طفلي</translation>
    </message>
    <message>
        <source>%1 is the learning history itself; choose another file.</source>
        <translation>%1 هو سجل التعلّم نفسه؛ اختر ملفًا آخر.</translation>
    </message>
    <message>
        <source>the standard output is the learning history itself.</source>
        <translation>الإخراج القياسي هو سجل التعلّم نفسه.</translation>
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
    <name>LetterMap</name>
    <message>
        <source>The letters, coloured by answers right on the first try</source>
        <translation>الحروف ملونة بحسب الإجابة الصحيحة من أول مرة</translation>
    </message>
    <message>
        <source>%1: %2 of %3</source>
        <comment>a letter: its first tries right, of all its first tries</comment>
        <translation>%1: %2 من %3</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the letters&apos; descriptions</comment>
        <translation>، </translation>
    </message>
    <message>
        <source>%1, known</source>
        <comment>a letter&apos;s description, of a letter practice calls known</comment>
        <translation>%1، يعرفه</translation>
    </message>
    <message>
        <source>Right on the first try: %1 of %2</source>
        <comment>a letter&apos;s first tries right, of its first tries in the period</comment>
        <translation>أصابه من أول مرة: %1 من %2</translation>
    </message>
    <message>
        <source>Not asked in this period</source>
        <translation>لم يُسأل عنه في هذه المدة</translation>
    </message>
    <message>
        <source>Known: found on the first try after a day or more away, twice</source>
        <translation>يعرفه: وجده من أول مرة بعد غياب يوم أو أكثر، مرتين</translation>
    </message>
    <message>
        <source>Not known yet: known once found on the first try after a day or more away, twice</source>
        <translation>لم يعرفه بعد: يعرفه حين يجده من أول مرة بعد غياب يوم أو أكثر، مرتين</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Export answers</source>
        <translation>صدّر الإجابات</translation>
    </message>
    <message>
        <source>What the child has learnt</source>
        <translation>ماذا تعلّم الطفل</translation>
    </message>
    <message>
        <source>Who plays now:</source>
        <translation>يلعب الآن:</translation>
    </message>
    <message>
        <source>The child who plays now</source>
        <translation>الطفل الذي يلعب الآن</translation>
    </message>
    <message>
        <source>A new child&apos;s name</source>
        <translation>اسم طفل جديد</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>أضف</translation>
    </message>
    <message>
        <source>Add the child, who then plays now</source>
        <translation>أضف الطفل، وليلعب الآن</translation>
    </message>
    <message>
        <source>Report:</source>
        <translation>تقرير:</translation>
    </message>
    <message>
        <source>The child whose report is shown</source>
        <translation>الطفل الذي يُعرض تقريره</translation>
    </message>
    <message>
        <source>Period:</source>
        <translation>المدة:</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>اليوم</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>آخر 7 أيام</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>كل الأوقات</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>المدة</translation>
    </message>
    <message>
        <source>Export answers…</source>
        <translation>صدّر الإجابات…</translation>
    </message>
    <message>
        <source>Export all the answers to a CSV file</source>
        <translation>صدّر كل الإجابات إلى ملف CSV</translation>
    </message>
    <message>
        <source>Child&apos;s window full screen, locked</source>
        <translation>نافذة الطفل بملء الشاشة، مقفلة</translation>
    </message>
    <message>
        <source>The child&apos;s window opens full screen, and no key the child presses leaves it. To leave: Ctrl+Shift+Q, then hold the button that appears for three seconds.</source>
        <translation>تفتح نافذة الطفل بملء الشاشة ولا يخرجه منها ما يضغطه من مفاتيح. للخروج: Ctrl+Shift+Q ثم أمسك الزر الذي يظهر ثلاث ثوانٍ.</translation>
    </message>
    <message>
        <source>Answers in the contest and in practice are kept under the name of the child who “plays now”; the “Report” choice changes only what this window shows.</source>
        <translation>إجابات المسابقة والتمرين تُحفظ باسم الطفل الذي «يلعب الآن»؛ واختيار «تقرير» يغيّر ما تعرضه هذه النافذة فقط.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>رسالة</translation>
    </message>
    <message>
        <source>Letters: found on the first try?</source>
        <translation>الحروف: هل يجدها من أول مرة؟</translation>
    </message>
    <message>
        <source>Under each letter: times answered right on the first try / times asked.</source>
        <translation>تحت كل حرف: مرات الإجابة الصحيحة من أول مرة / مرات السؤال عنه.</translation>
    </message>
    <message>
        <source>Not asked</source>
        <translation>لم يُسأل عنه</translation>
    </message>
    <message>
        <source>Letters mixed up</source>
        <translation>الحروف التي يخلط بينها</translation>
    </message>
    <message>
        <source>The letters most mixed up</source>
        <translation>أكثر الحروف خلطًا</translation>
    </message>
    <message>
        <source>Each day: the number of answers, and the share right on the first try</source>
        <translation>كل يوم: عدد الإجابات، ونسبة الصحيح من أول مرة</translation>
    </message>
    <message>
        <source>Answers each day</source>
        <translation>الإجابات كل يوم</translation>
    </message>
    <message>
        <source>Number of answers (right axis)</source>
        <translation>عدد الإجابات (المحور الأيمن)</translation>
    </message>
    <message>
        <source>Number of answers (left axis)</source>
        <translation>عدد الإجابات (المحور الأيسر)</translation>
    </message>
    <message>
        <source>Right on the first try, % (left axis)</source>
        <translation>الصحيح من أول مرة ٪ (المحور الأيسر)</translation>
    </message>
    <message>
        <source>Right on the first try, % (right axis)</source>
        <translation>الصحيح من أول مرة ٪ (المحور الأيمن)</translation>
    </message>
    <message>
        <source>Practice plan</source>
        <translation>خطة التمرين</translation>
    </message>
    <message>
        <source>New letters:</source>
        <translation>الحروف الجديدة:</translation>
    </message>
    <message>
        <source>Most common first</source>
        <translation>الأكثر شيوعًا أولًا</translation>
    </message>
    <message>
        <source>In alphabetical order</source>
        <translation>بترتيب الألفباء</translation>
    </message>
    <message>
        <source>The order of new letters in practice</source>
        <translation>ترتيب الحروف الجديدة في التمرين</translation>
    </message>
    <message>
        <source>The learning history cannot be opened, so answers are not kept now: %1</source>
        <translation>لا يمكن فتح سجل التعلّم، فالإجابات لا تُحفظ الآن: %1</translation>
    </message>
    <message>
        <source>The learning history was damaged: it was put aside as %1 and a new one begun.</source>
        <translation>كان سجل التعلّم تالفًا، فحُفظ جانبًا باسم %1 وبدأ سجل جديد.</translation>
    </message>
    <message>
        <source>The learning history cannot be written to, so new answers are not kept.</source>
        <translation>لا يمكن الكتابة في سجل التعلّم، فالإجابات الجديدة لا تُحفظ.</translation>
    </message>
    <message>
        <source>%1 plays now: their next answers are kept under their name.</source>
        <translation>يلعب %1 الآن: إجاباته القادمة تُحفظ باسمه.</translation>
    </message>
    <message>
        <source>The choice of child cannot be kept.</source>
        <translation>لا يمكن حفظ اختيار الطفل.</translation>
    </message>
    <message>
        <source>The child</source>
        <comment>in place of a name</comment>
        <translation>الطفل</translation>
    </message>
    <message>
        <source>The learning history cannot be read.</source>
        <translation>لا يمكن قراءة سجل التعلّم.</translation>
    </message>
    <message numerus="yes">
        <source>Clicked “%1” instead of “%2”: %n time(s)</source>
        <translation>
            <numerusform>ضغط «%1» بدل «%2»: %n مرة</numerusform>
            <numerusform>ضغط «%1» بدل «%2»: مرة واحدة</numerusform>
            <numerusform>ضغط «%1» بدل «%2»: مرتان</numerusform>
            <numerusform>ضغط «%1» بدل «%2»: %n مرات</numerusform>
            <numerusform>ضغط «%1» بدل «%2»: %n مرة</numerusform>
            <numerusform>ضغط «%1» بدل «%2»: %n مرة</numerusform>
        </translation>
    </message>
    <message>
        <source>No letters mixed up in this period.</source>
        <translation>لم يخلط بين الحروف في هذه المدة.</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the letters of a list</comment>
        <translation>، </translation>
    </message>
    <message>
        <source>%1: new, not asked yet</source>
        <translation>%1: جديد، لم يُسأل عنه بعد</translation>
    </message>
    <message>
        <source>%1: missed the last time it was asked</source>
        <translation>%1: أخطأه آخر مرة سُئل عنه</translation>
    </message>
    <message>
        <source>All the letters are in practice.</source>
        <translation>دخلت الحروف كلها التمرين.</translation>
    </message>
    <message>
        <source>The order of new letters cannot be kept.</source>
        <translation>لا يمكن حفظ ترتيب الحروف الجديدة.</translation>
    </message>
    <message>
        <source>Today: not played yet.</source>
        <translation>اليوم: لم يلعب بعد.</translation>
    </message>
    <message numerus="yes">
        <source>Today: %n answer(s), %1% right on the first try.</source>
        <translation>
            <numerusform>اليوم: %n إجابة، الصحيح منها من أول مرة %1٪.</numerusform>
            <numerusform>اليوم: إجابة واحدة، الصحيح منها من أول مرة %1٪.</numerusform>
            <numerusform>اليوم: إجابتان، الصحيح منها من أول مرة %1٪.</numerusform>
            <numerusform>اليوم: %n إجابات، الصحيح منها من أول مرة %1٪.</numerusform>
            <numerusform>اليوم: %n إجابة، الصحيح منها من أول مرة %1٪.</numerusform>
            <numerusform>اليوم: %n إجابة، الصحيح منها من أول مرة %1٪.</numerusform>
        </translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>الإجابات</translation>
    </message>
    <message>
        <source>The answers were exported to %1.</source>
        <translation>صُدّرت الإجابات إلى %1.</translation>
    </message>
    <message>
        <source>The file %1 could not be saved.</source>
        <translation>تعذّر حفظ الملف %1.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>الإعدادات</translation>
    </message>
    <message>
        <source>Every time</source>
        <comment>found on the first try</comment>
        <translation>كل مرة</translation>
    </message>
    <message>
        <source>Sometimes</source>
        <comment>found on the first try</comment>
        <translation>أحيانًا</translation>
    </message>
    <message>
        <source>Never</source>
        <comment>found on the first try</comment>
        <translation>ولا مرة</translation>
    </message>
    <message>
        <source>Known</source>
        <comment>a letter practice calls known</comment>
        <translation>يعرفه</translation>
    </message>
    <message>
        <source>Known: found on the first try after a day or more away, twice, with no miss since</source>
        <translation>يعرفه: وجده من أول مرة بعد غياب يوم أو أكثر، مرتين، ولم يخطئه بعدهما</translation>
    </message>
    <message>
        <source>%1 has not answered in the contest or in practice yet.
Once they play, how often they find each letter on the first try, the letters they mix up and their practice plan show here.</source>
        <translation>لم يجب %1 في المسابقة ولا في التمرين بعد.
حين يلعب يظهر هنا كم مرة يجد كل حرف من أول مرة، والحروف التي يخلط بينها، وخطة تمرينه.</translation>
    </message>
    <message numerus="yes">
        <source>%1: clicked “%2” when “%3” was asked, %n time(s) this week</source>
        <translation>
            <numerusform>%1: ضغط «%2» حين طُلب «%3»، %n مرة هذا الأسبوع</numerusform>
            <numerusform>%1: ضغط «%2» حين طُلب «%3»، مرة واحدة هذا الأسبوع</numerusform>
            <numerusform>%1: ضغط «%2» حين طُلب «%3»، مرتين هذا الأسبوع</numerusform>
            <numerusform>%1: ضغط «%2» حين طُلب «%3»، %n مرات هذا الأسبوع</numerusform>
            <numerusform>%1: ضغط «%2» حين طُلب «%3»، %n مرة هذا الأسبوع</numerusform>
            <numerusform>%1: ضغط «%2» حين طُلب «%3»، %n مرة هذا الأسبوع</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: right on the first try the last %n time(s) it was asked</source>
        <translation>
            <numerusform>%1: أصابه من أول مرة في آخر %n سؤال عنه</numerusform>
            <numerusform>%1: أصابه من أول مرة في آخر سؤال عنه</numerusform>
            <numerusform>%1: أصابه من أول مرة في آخر سؤالين عنه</numerusform>
            <numerusform>%1: أصابه من أول مرة في آخر %n أسئلة عنه</numerusform>
            <numerusform>%1: أصابه من أول مرة في آخر %n سؤالًا عنه</numerusform>
            <numerusform>%1: أصابه من أول مرة في آخر %n سؤال عنه</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: last asked today</source>
        <translation>%1: آخر سؤال اليوم</translation>
    </message>
    <message numerus="yes">
        <source>%1: last asked %n day(s) ago</source>
        <translation>
            <numerusform>%1: آخر سؤال قبل %n يوم</numerusform>
            <numerusform>%1: آخر سؤال قبل يوم واحد</numerusform>
            <numerusform>%1: آخر سؤال قبل يومين</numerusform>
            <numerusform>%1: آخر سؤال قبل %n أيام</numerusform>
            <numerusform>%1: آخر سؤال قبل %n يومًا</numerusform>
            <numerusform>%1: آخر سؤال قبل %n يوم</numerusform>
        </translation>
    </message>
    <message>
        <source>Learning now</source>
        <translation>يتعلّمها الآن</translation>
    </message>
    <message>
        <source>%1: right on the first try the last time each was asked</source>
        <translation>%1: أصاب كلًّا منها من أول مرة في آخر سؤال عنه</translation>
    </message>
    <message>
        <source>None for now: every letter on the board is known.</source>
        <translation>لا شيء الآن: يعرف كل الحروف التي على اللوحة.</translation>
    </message>
    <message>
        <source>To review today</source>
        <translation>للمراجعة اليوم</translation>
    </message>
    <message>
        <source>Nothing for now: a known letter comes back here as its memory fades.</source>
        <translation>لا شيء الآن: يعود الحرف الذي يعرفه إلى هنا حين يضعف تذكّره له.</translation>
    </message>
    <message>
        <source>Known letters whose memory has faded: practice asks them first.</source>
        <translation>حروف يعرفها ضعف تذكّره لها: يسأل عنها التمرين أولًا.</translation>
    </message>
    <message>
        <source>Next new letter</source>
        <translation>الحرف الجديد القادم</translation>
    </message>
    <message>
        <source>%1: comes when no letter is due to be asked again and the child has been right on the first try lately</source>
        <translation>%1: يأتي حين لا يحين وقت سؤال حرف آخر، ويكون الطفل قد أصاب من أول مرة في أسئلته الأخيرة</translation>
    </message>
    <message numerus="yes">
        <source>Known letters: %n of 28</source>
        <translation>
            <numerusform>الحروف التي يعرفها: %n من 28</numerusform>
            <numerusform>الحروف التي يعرفها: %n من 28</numerusform>
            <numerusform>الحروف التي يعرفها: %n من 28</numerusform>
            <numerusform>الحروف التي يعرفها: %n من 28</numerusform>
            <numerusform>الحروف التي يعرفها: %n من 28</numerusform>
            <numerusform>الحروف التي يعرفها: %n من 28</numerusform>
        </translation>
    </message>
    <message>
        <source>None yet.</source>
        <translation>لا شيء بعد.</translation>
    </message>
    <message>
        <source>A letter is known once the child found it on the first try after a day or more away, twice, with no miss since; a miss puts it back among the letters being learnt.</source>
        <translation>يُعدّ الحرف معروفًا حين يجده الطفل من أول مرة بعد غياب يوم أو أكثر، مرتين، دون خطأ بعدهما؛ والخطأ فيه يعيده إلى الحروف التي يتعلّمها.</translation>
    </message>
    <message>
        <source>%1%</source>
        <comment>the share axis&apos;s labels: %1 the number</comment>
        <translation>%1%</translation>
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
<context>
    <name>SdlRecorder</name>
    <message>
        <source>There is no microphone to record from (%1). You can still import a sound from a file.</source>
        <translation>لا يوجد ميكروفون يمكن التسجيل منه (%1). ما زال بإمكانك استيراد صوت من ملف.</translation>
    </message>
    <message>
        <source>The microphone is still not answering. Close the window and open it again, or import a sound from a file.</source>
        <translation>الميكروفون لا يستجيب بعد. أغلق النافذة وافتحها من جديد، أو استورد صوتًا من ملف.</translation>
    </message>
</context>
<context>
    <name>VoiceFiles</name>
    <message>
        <source>Cannot write to the folder %1 (%2): nothing changed.</source>
        <translation>لا يمكن الكتابة في المجلد %1 (%2): لم يتغير شيء.</translation>
    </message>
    <message>
        <source>the right answer</source>
        <translation>الإجابة الصحيحة</translation>
    </message>
    <message>
        <source>the wrong answer</source>
        <translation>الإجابة الخاطئة</translation>
    </message>
    <message>
        <source>No voice can be heard, so nothing was kept.</source>
        <translation>لا يُسمع فيه صوت، فلم يُحفظ شيء.</translation>
    </message>
    <message>
        <source>it cannot be created</source>
        <translation>لا يمكن إنشاؤه</translation>
    </message>
    <message>
        <source>%1 is still there</source>
        <translation>%1 باقٍ</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>القرص ممتلئ</translation>
    </message>
</context>
<context>
    <name>VoiceImport</name>
    <message>
        <source>%1: there is no file with this name.</source>
        <translation>%1: لا يوجد ملف بهذا الاسم.</translation>
    </message>
    <message>
        <source>%1: this is a folder, not a sound file.</source>
        <translation>%1: هذا مجلد، لا ملف صوت.</translation>
    </message>
    <message>
        <source>%1: not an ordinary file (a pipe or a device), so no sound is read from it.</source>
        <translation>%1: ليس ملفًا عاديًا (أنبوب أو جهاز)، فلا يُقرأ منه صوت.</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2).</source>
        <translation>%1: لا يمكن قراءته (%2).</translation>
    </message>
    <message>
        <source>Sounds cannot be decoded: %1</source>
        <translation>لا يمكن فك ترميز الأصوات: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: longer than %n second(s).</source>
        <translation>
            <numerusform>%1: أطول من %n ثانية.</numerusform>
            <numerusform>%1: أطول من ثانية واحدة.</numerusform>
            <numerusform>%1: أطول من ثانيتين.</numerusform>
            <numerusform>%1: أطول من %n ثوانٍ.</numerusform>
            <numerusform>%1: أطول من %n ثانية.</numerusform>
            <numerusform>%1: أطول من %n ثانية.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: not a sound the program knows.</source>
        <translation>%1: ليس صوتًا يعرفه البرنامج.</translation>
    </message>
    <message>
        <source>%1: no voice can be heard in it, so nothing was kept.</source>
        <translation>%1: لا يُسمع فيه صوت، فلم يُحفظ شيء.</translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, far more than any voice, so it is not read.</source>
        <translation>%1: أكبر من %2 ميغابايت، أكثر بكثير من أي صوت، فلم يُقرأ.</translation>
    </message>
    <message>
        <source>%1: shorter than its header says (cut short, or never finished), so it would not play.</source>
        <translation>%1: أقصر مما يقول رأسه (قُطع قبل آخره أو لم يُكمَل)، فلن يُسمع.</translation>
    </message>
    <message>
        <source>%1: recorded at %2 Hz, too few samples a second for a voice (%3 Hz at least).</source>
        <translation>%1: سُجّل بتردد %2 هرتز، وهي عينات في الثانية أقل من أن تحمل صوتًا (%3 هرتز على الأقل).</translation>
    </message>
    <message>
        <source>%1: more than %2 MB of sound once decoded, far more than any voice.</source>
        <translation>%1: أكثر من %2 ميغابايت من الصوت بعد فكّه، أكثر بكثير من أي صوت.</translation>
    </message>
    <message>
        <source>%1: this file&apos;s name is not UTF-8 text, so the program cannot open it: rename it, then import it.</source>
        <translation>%1: اسم هذا الملف ليس نصًا بترميز UTF-8، فلا يستطيع البرنامج فتحه: غيّر اسمه، ثم استورده.</translation>
    </message>
</context>
<context>
    <name>VoicePack</name>
    <message numerus="yes">
        <source>%n channel(s)</source>
        <translation>
            <numerusform>%n قناة</numerusform>
            <numerusform>قناة واحدة</numerusform>
            <numerusform>قناتان</numerusform>
            <numerusform>%n قنوات</numerusform>
            <numerusform>%n قناة</numerusform>
            <numerusform>%n قناة</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 هرتز</translation>
    </message>
    <message>
        <source>no sound in it</source>
        <translation>لا صوت فيه</translation>
    </message>
    <message>
        <source>%1: %2 Nothing changed.</source>
        <translation>%1: %2 لم يتغير شيء.</translation>
    </message>
    <message>
        <source>not a valid voice pack (%1).</source>
        <translation>ليس حزمة أصوات سليمة (%1).</translation>
    </message>
    <message>
        <source>“%1” is longer than the pack says: the pack is damaged.</source>
        <translation>«%1» أطول مما تقول الحزمة عنه: الحزمة تالفة.</translation>
    </message>
    <message>
        <source>“%1” is larger than it can be: not a valid voice pack.</source>
        <translation>«%1» أكبر مما يكون: ليس حزمة أصوات سليمة.</translation>
    </message>
    <message>
        <source>its voices are larger than %1 MB.</source>
        <translation>أصواتها أكبر من %1 ميغابايت.</translation>
    </message>
    <message>
        <source>“%1” is larger than %2 MB.</source>
        <translation>«%1» أكبر من %2 ميغابايت.</translation>
    </message>
    <message>
        <source>“%1” is shorter than the pack says: the pack is damaged.</source>
        <translation>«%1» أقصر مما تقول الحزمة عنه: الحزمة تالفة.</translation>
    </message>
    <message>
        <source>“%1” cannot be read: not a valid voice pack.</source>
        <translation>«%1» لا يُقرأ: ليس حزمة أصوات سليمة.</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (format %1): update the program, then import it.</source>
        <translation>صنعها إصدار أحدث من البرنامج (الصيغة %1)، فحدّث البرنامج ثم استوردها.</translation>
    </message>
    <message>
        <source>there is no file with this name.</source>
        <translation>لا يوجد ملف بهذا الاسم.</translation>
    </message>
    <message>
        <source>this is a folder, not a voice pack.</source>
        <translation>هذا مجلد، لا حزمة أصوات.</translation>
    </message>
    <message>
        <source>not an ordinary file (a pipe or a device), so no pack is read from it.</source>
        <translation>ليس ملفًا عاديًا (أنبوب أو جهاز)، فلا تُقرأ منه حزمة.</translation>
    </message>
    <message>
        <source>larger than %1 MB, so not a voice pack.</source>
        <translation>أكبر من %1 ميغابايت، فليس حزمة أصوات.</translation>
    </message>
    <message>
        <source>cannot be read (%1).</source>
        <translation>لا يمكن قراءته (%1).</translation>
    </message>
    <message>
        <source>it holds a file without a name.</source>
        <translation>فيها ملف بلا اسم.</translation>
    </message>
    <message>
        <source>“%1” leads out of the voices folder.</source>
        <translation>«%1» يخرج من مجلد الأصوات.</translation>
    </message>
    <message>
        <source>“%1” is a link, not a sound file.</source>
        <translation>«%1» رابط، لا ملف صوت.</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a sound file.</source>
        <translation>«%1» مجلد، لا ملف صوت.</translation>
    </message>
    <message>
        <source>“%1” is not an ordinary file.</source>
        <translation>«%1» ليس ملفًا عاديًا.</translation>
    </message>
    <message>
        <source>“%1” is encrypted.</source>
        <translation>«%1» مشفَّر.</translation>
    </message>
    <message>
        <source>not a voice pack: it does not start with %1.</source>
        <translation>ليس حزمة أصوات: لا يبدأ بـ %1.</translation>
    </message>
    <message>
        <source>“%1” is not one of the program&apos;s sounds.</source>
        <translation>«%1» ليس من أصوات البرنامج.</translation>
    </message>
    <message>
        <source>“%1” is in it twice.</source>
        <translation>«%1» فيها مرتين.</translation>
    </message>
    <message>
        <source>“%1” is not a WAVE file the program accepts (%2).</source>
        <translation>«%1» ليس ملف WAVE يقبله البرنامج (%2).</translation>
    </message>
    <message>
        <source>not a voice pack: there is no %1 in it.</source>
        <translation>ليس حزمة أصوات: لا %1 فيه.</translation>
    </message>
    <message>
        <source>“%1” is in %2 but not in the pack: the pack is incomplete.</source>
        <translation>«%1» في %2 وليس في الحزمة: الحزمة ناقصة.</translation>
    </message>
    <message>
        <source>“%1” is in the pack but not in %2: the pack is damaged.</source>
        <translation>«%1» في الحزمة وليس في %2: الحزمة تالفة.</translation>
    </message>
    <message>
        <source>there is no sound in the pack.</source>
        <translation>لا صوت في الحزمة.</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2). Nothing was written.</source>
        <translation>%1: لا يمكن قراءته (%2). لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, so no pack can hold it. Nothing was written.</source>
        <translation>%1: أكبر من %2 ميغابايت، فلا تحمله حزمة. لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>%1: not a WAVE file the program accepts (%2), so no pack can hold it: import it again. Nothing was written.</source>
        <translation>%1: ليس ملف WAVE يقبله البرنامج (%2)، فلا تحمله حزمة: استورده من جديد. لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>Your voices are larger than %1 MB, so no pack can hold them. Nothing was written.</source>
        <translation>أصواتك أكبر من %1 ميغابايت، فلا تحملها حزمة. لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>You have no voice of your own in %1 yet: record or import one first. Nothing was written.</source>
        <translation>لا صوت لك بعد في %1: سجّل صوتًا أو استورده أولًا. لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>Cannot write %1 (%2). Nothing was written.</source>
        <translation>لا يمكن كتابة %1 (%2). لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>%1: this is a folder; write a file name for the pack. Nothing was written.</source>
        <translation>%1: هذا مجلد، فاكتب اسم ملف للحزمة. لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the names of the files in a list</comment>
        <translation>، </translation>
    </message>
    <message>
        <source>its list of files cannot be read</source>
        <translation>لا تُقرأ قائمة ملفاتها</translation>
    </message>
    <message>
        <source>“%1” is named “%2” in its own header: the pack is damaged.</source>
        <translation>«%1» اسمه «%2» في رأسه: الحزمة تالفة.</translation>
    </message>
    <message>
        <source>it is shorter than its header says: cut short, or never finished</source>
        <translation>أقصر مما يقول رأسه: قُطع قبل آخره أو لم يُكمَل</translation>
    </message>
    <message>
        <source>no WAVE header</source>
        <translation>لا رأس WAVE له</translation>
    </message>
    <message>
        <source>Cannot write %1 in the folder %2 (%3).</source>
        <translation>لا يمكن كتابة %1 في المجلد %2 (%3).</translation>
    </message>
    <message>
        <source>Taken from the pack before that: %1.</source>
        <translation>أُخذ من الحزمة قبل ذلك: %1.</translation>
    </message>
    <message>
        <source>Your own voices they replaced are kept as %1.</source>
        <translation>أصواتك التي حلّت محلها محفوظة باسم %1.</translation>
    </message>
    <message>
        <source>%1 and the voices after it in the pack were not taken: they are as they were.</source>
        <translation>لم يُؤخذ %1 ولا الأصوات التي بعده في الحزمة: هي كما كانت.</translation>
    </message>
    <message>
        <source>%1 is the file of your own voice for %2: write the pack to another file. Nothing was written.</source>
        <translation>%1 هو ملف صوتك لـ %2، فاكتب الحزمة في ملف آخر. لم يُكتب شيء.</translation>
    </message>
    <message>
        <source>this file&apos;s name is not UTF-8 text, so the program cannot open it: rename it, then import it.</source>
        <translation>اسم هذا الملف ليس نصًا بترميز UTF-8، فلا يستطيع البرنامج فتحه: غيّر اسمه، ثم استورده.</translation>
    </message>
</context>
<context>
    <name>VoicesApp</name>
    <message>
        <source>The file could not be imported.</source>
        <translation>تعذّر استيراد الملف.</translation>
    </message>
    <message>
        <source>The file could not be imported: %1</source>
        <translation>تعذّر استيراد الملف: %1</translation>
    </message>
    <message>
        <source>Choose a sound file</source>
        <translation>اختر ملف صوت</translation>
    </message>
    <message>
        <source>Sounds (%1)</source>
        <translation>أصوات (%1)</translation>
    </message>
    <message>
        <source>All files (%1)</source>
        <translation>كل الملفات (%1)</translation>
    </message>
    <message>
        <source>Save your voices to a file</source>
        <translation>احفظ أصواتك في ملف</translation>
    </message>
    <message>
        <source>Huroof voices (%1)</source>
        <translation>أصوات برنامج الحروف (%1)</translation>
    </message>
    <message>
        <source>Take voices from a file</source>
        <translation>خذ الأصوات من ملف</translation>
    </message>
    <message>
        <source>usage: huroof --import-voice NAME FILE</source>
        <translation>الاستعمال: huroof --import-voice NAME FILE</translation>
    </message>
    <message>
        <source>%1 is not the name of a voice: write a number from 1 to 28, the letter itself, yes or no.</source>
        <translation>%1 ليس اسم صوت: اكتب رقمًا من 1 إلى 28، أو الحرف نفسه، أو yes أو no.</translation>
    </message>
    <message>
        <source>usage: huroof --export-voices FILE</source>
        <translation>الاستعمال: huroof --export-voices FILE</translation>
    </message>
    <message>
        <source>usage: huroof --import-voices FILE</source>
        <translation>الاستعمال: huroof --import-voices FILE</translation>
    </message>
    <message numerus="yes">
        <source>The file was still being read after %n second(s): stopped, nothing changed.</source>
        <translation>
            <numerusform>كان الملف ما يزال يُقرأ بعد %n ثانية: أُوقف، ولم يتغيّر شيء.</numerusform>
            <numerusform>كان الملف ما يزال يُقرأ بعد ثانية واحدة: أُوقف، ولم يتغيّر شيء.</numerusform>
            <numerusform>كان الملف ما يزال يُقرأ بعد ثانيتين: أُوقف، ولم يتغيّر شيء.</numerusform>
            <numerusform>كان الملف ما يزال يُقرأ بعد %n ثوانٍ: أُوقف، ولم يتغيّر شيء.</numerusform>
            <numerusform>كان الملف ما يزال يُقرأ بعد %n ثانية: أُوقف، ولم يتغيّر شيء.</numerusform>
            <numerusform>كان الملف ما يزال يُقرأ بعد %n ثانية: أُوقف، ولم يتغيّر شيء.</numerusform>
        </translation>
    </message>
    <message>
        <source>The import was stopped: nothing changed.</source>
        <translation>أُوقف الاستيراد: لم يتغيّر شيء.</translation>
    </message>
</context>
<context>
    <name>VoicesWindow</name>
    <message>
        <source>Listen</source>
        <translation>استمع</translation>
    </message>
    <message>
        <source>Listen to %1</source>
        <translation>استمع إلى %1</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>سجّل</translation>
    </message>
    <message>
        <source>Record your voice for %1</source>
        <translation>سجّل صوتك لـ %1</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>أوقف</translation>
    </message>
    <message>
        <source>Stop recording for %1</source>
        <translation>أوقف التسجيل لـ %1</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>احفظ</translation>
    </message>
    <message>
        <source>Keep the new take for %1</source>
        <translation>احفظ التسجيل الجديد لـ %1</translation>
    </message>
    <message>
        <source>Throw away</source>
        <translation>احذف</translation>
    </message>
    <message>
        <source>Throw away the new take for %1</source>
        <translation>احذف التسجيل الجديد لـ %1</translation>
    </message>
    <message>
        <source>From a file…</source>
        <translation>من ملف…</translation>
    </message>
    <message>
        <source>Import a sound from a file for %1</source>
        <translation>استورد صوتًا من ملف لـ %1</translation>
    </message>
    <message>
        <source>Back to the program&apos;s voice</source>
        <translation>أعد صوت البرنامج</translation>
    </message>
    <message>
        <source>Back to the program&apos;s voice for %1</source>
        <translation>أعد صوت البرنامج لـ %1</translation>
    </message>
    <message>
        <source>The program&apos;s voice</source>
        <translation>بصوت البرنامج</translation>
    </message>
    <message>
        <source>Your voice</source>
        <translation>صوتك</translation>
    </message>
    <message>
        <source>New take, not kept</source>
        <translation>تسجيل جديد لم يُحفظ</translation>
    </message>
    <message>
        <source>Recording now</source>
        <translation>يسجّل الآن</translation>
    </message>
    <message>
        <source>Your new take is not kept yet: listen to it, then keep it or throw it away.</source>
        <translation>تسجيلك الجديد لم يُحفظ بعد: استمع إليه، ثم احفظه أو احذفه.</translation>
    </message>
    <message>
        <source>The right answer</source>
        <translation>الإجابة الصحيحة</translation>
    </message>
    <message>
        <source>The wrong answer</source>
        <translation>الإجابة الخاطئة</translation>
    </message>
    <message>
        <source>Record your voice</source>
        <translation>سجّل صوتك</translation>
    </message>
    <message>
        <source>The child hears your voice instead of the program&apos;s. In each row: listen, then record the letter in your voice (recording stops by itself after five seconds) or take it from a sound file, then listen to your take and keep it or throw it away.</source>
        <translation>يسمع الطفل صوتك بدل صوت البرنامج. في كل سطر: استمع، ثم سجّل الحرف بصوتك (يتوقف التسجيل وحده بعد خمس ثوانٍ) أو خذه من ملف صوت، ثم استمع إلى تسجيلك واحفظه أو احذفه.</translation>
    </message>
    <message>
        <source>Save your voices to a file…</source>
        <translation>احفظ أصواتك في ملف…</translation>
    </message>
    <message>
        <source>Save all your voices in one file for another computer</source>
        <translation>احفظ كل أصواتك في ملف واحد لحاسوب آخر</translation>
    </message>
    <message>
        <source>Take voices from a file…</source>
        <translation>خذ الأصوات من ملف…</translation>
    </message>
    <message>
        <source>Take the voices from a file they were saved in on another computer</source>
        <translation>خذ الأصوات من ملف حُفظت فيه على حاسوب آخر</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>رسالة</translation>
    </message>
    <message>
        <source>State of %1</source>
        <translation>حالة %1</translation>
    </message>
    <message>
        <source>Sound level for %1</source>
        <translation>مستوى الصوت لـ %1</translation>
    </message>
    <message>
        <source>Sound level</source>
        <translation>مستوى الصوت</translation>
    </message>
    <message>
        <source>Message for %1</source>
        <translation>رسالة %1</translation>
    </message>
    <message>
        <source>The microphone is not answering, so nothing was recorded. Check that it is plugged in, or import a sound from a file.</source>
        <translation>الميكروفون لا يستجيب، فلم يُسجَّل شيء. تأكد من توصيله، أو استورد صوتًا من ملف.</translation>
    </message>
    <message>
        <source>Recording for %1 now: speak, then press “Stop”.</source>
        <translation>يسجّل الآن لـ %1: تكلّم، ثم اضغط «أوقف».</translation>
    </message>
    <message>
        <source>Cannot write to the folder %1: nothing changed.</source>
        <translation>لا يمكن الكتابة في المجلد %1: لم يتغير شيء.</translation>
    </message>
    <message>
        <source>This is your new take for %1: listen to it, then keep it or throw it away.</source>
        <translation>هذا تسجيلك الجديد لـ %1: استمع إليه، ثم احفظه أو احذفه.</translation>
    </message>
    <message>
        <source>Your voice for %1 is kept.</source>
        <translation>حُفظ صوتك لـ %1.</translation>
    </message>
    <message>
        <source>Importing %1…</source>
        <translation>يستورد %1 …</translation>
    </message>
    <message>
        <source>Your voices are saved in %1. On the other computer, open it in Huroof with “Take voices from a file…”.</source>
        <translation>حُفظت أصواتك في %1. افتحه في برنامج الحروف على الحاسوب الآخر بـ«خذ الأصوات من ملف…».</translation>
    </message>
    <message>
        <source>The voices in the file are the same as yours: nothing changed.</source>
        <translation>الأصوات التي في الملف هي أصواتك نفسها: لم يتغير شيء.</translation>
    </message>
    <message numerus="yes">
        <source>%n sound(s) taken from the file; your earlier voices are kept aside.</source>
        <translation>
            <numerusform>أُخذ من الملف %n صوتًا، وحُفظت أصواتك السابقة جانبًا.</numerusform>
            <numerusform>أُخذ من الملف صوت واحد، وحُفظت أصواتك السابقة جانبًا.</numerusform>
            <numerusform>أُخذ من الملف صوتان، وحُفظت أصواتك السابقة جانبًا.</numerusform>
            <numerusform>أُخذ من الملف %n أصوات، وحُفظت أصواتك السابقة جانبًا.</numerusform>
            <numerusform>أُخذ من الملف %n صوتًا، وحُفظت أصواتك السابقة جانبًا.</numerusform>
            <numerusform>أُخذ من الملف %n صوت، وحُفظت أصواتك السابقة جانبًا.</numerusform>
        </translation>
    </message>
    <message>
        <source>The program&apos;s voice is back for %1.</source>
        <translation>عاد صوت البرنامج لـ %1.</translation>
    </message>
    <message>
        <source>Keep or throw away your new take first, then choose.</source>
        <translation>احفظ تسجيلك الجديد أو احذفه أولًا، ثم اختر.</translation>
    </message>
</context>
</TS>
