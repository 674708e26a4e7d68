<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>larmor::DesktopDocumentOpener</name>
    <message>
        <source>файла нет рядом с программой</source>
        <translation>the file is not beside the program</translation>
    </message>
    <message>
        <source>в системе не найдена программа для просмотра документов PDF</source>
        <translation>no program to view PDF documents was found on this system</translation>
    </message>
</context>
<context>
    <name>larmor::DesktopEditorLauncher</name>
    <message>
        <source>Не найден текстовый редактор, чтобы открыть файл «%1».</source>
        <translation>No text editor was found to open the file “%1”.</translation>
    </message>
    <message>
        <source>Не удалось запустить текстовый редактор (%1), чтобы открыть файл «%2».</source>
        <translation>The text editor (%1) could not be started to open the file “%2”.</translation>
    </message>
</context>
<context>
    <name>larmor::DesktopFileDialogs</name>
    <message>
        <source>Папка</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Файл %1</source>
        <translation>%1 file</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сохранить сценарий</source>
        <translation>Save scenario</translation>
    </message>
    <message>
        <source>Название урока:</source>
        <translation>Lesson title:</translation>
    </message>
    <message>
        <source>Описание:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Название и описание покажутся тому, кто откроет сценарий.</source>
        <translation>Whoever opens the scenario will see its title and description.</translation>
    </message>
    <message>
        <source>Далее…</source>
        <translation>Next…</translation>
    </message>
    <message>
        <source>Экспорт видов</source>
        <translation>Export views</translation>
    </message>
    <message>
        <source>как в окне: вид X0Y %1 × %1 пикселей</source>
        <translation>as in the window: X0Y view %1 × %1 pixels</translation>
    </message>
    <message>
        <source>другая ширина вида X0Y:</source>
        <translation>another width of the X0Y view:</translation>
    </message>
    <message>
        <source> пикс.</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Оба вида рядом: X0Y и X0Z, вдвое шире.</source>
        <translation>Both views side by side: X0Y, and X0Z twice as wide.</translation>
    </message>
</context>
<context>
    <name>larmor::DiagnosticsCurves</name>
    <message>
        <source>питч-угол</source>
        <translation>pitch angle</translation>
    </message>
    <message>
        <source> Тл</source>
        <translation> T</translation>
    </message>
    <message>
        <source> м</source>
        <translation> m</translation>
    </message>
</context>
<context>
    <name>larmor::DiagnosticsExports</name>
    <message>
        <source>Сохранить данные диагностики</source>
        <translation>Save diagnostics data</translation>
    </message>
    <message>
        <source>диагностика.csv</source>
        <translation>diagnostics.csv</translation>
    </message>
    <message>
        <source>Сохранить график «%1»</source>
        <translation>Save plot “%1”</translation>
    </message>
    <message>
        <source>рисунок не удалось построить</source>
        <translation>the picture could not be made</translation>
    </message>
    <message>
        <source>Диагностика</source>
        <translation>Diagnostics</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1.
%2</source>
        <translation>The file %1 could not be written.
%2</translation>
    </message>
</context>
<context>
    <name>larmor::DiagnosticsPlots</name>
    <message>
        <source>Нет данных: кривые появятся во время расчёта (ПУСК)</source>
        <translation>No data: the curves appear during a run (RUN)</translation>
    </message>
    <message>
        <source>погрешность-скорости</source>
        <translation>speed-error</translation>
    </message>
    <message>
        <source>Погрешность скорости dV</source>
        <translation>Speed error dV</translation>
    </message>
    <message>
        <source>dV</source>
        <translation>dV</translation>
    </message>
    <message>
        <source>dV, %</source>
        <translation>dV, %</translation>
    </message>
    <message>
        <source>магнитный-момент</source>
        <translation>magnetic-moment</translation>
    </message>
    <message>
        <source>Магнитный момент μ/μ0</source>
        <translation>Magnetic moment μ/μ0</translation>
    </message>
    <message>
        <source>μ/μ0</source>
        <translation>μ/μ0</translation>
    </message>
    <message>
        <source>питч-угол-и-поле</source>
        <translation>pitch-angle-and-field</translation>
    </message>
    <message>
        <source>Питч-угол и |B| у частицы</source>
        <translation>Pitch angle and |B| at the particle</translation>
    </message>
    <message>
        <source>питч-угол и |B|</source>
        <translation>pitch angle and |B|</translation>
    </message>
    <message>
        <source>питч-угол, °</source>
        <translation>pitch angle, °</translation>
    </message>
    <message>
        <source>|B|, Тл</source>
        <translation>|B|, T</translation>
    </message>
    <message>
        <source>высота-и-расстояние-до-оси</source>
        <translation>height-and-distance-to-axis</translation>
    </message>
    <message>
        <source>Высота z и расстояние до оси ρ</source>
        <translation>Height z and distance to the axis ρ</translation>
    </message>
    <message>
        <source>z и ρ</source>
        <translation>z and ρ</translation>
    </message>
    <message>
        <source>z, ρ, м</source>
        <translation>z, ρ, m</translation>
    </message>
    <message>
        <source>t, с</source>
        <translation>t, s</translation>
    </message>
</context>
<context>
    <name>larmor::DiagnosticsWindow</name>
    <message>
        <source>Диагностика</source>
        <translation>Diagnostics</translation>
    </message>
    <message>
        <source>Автомасштаб</source>
        <translation>Autoscale</translation>
    </message>
    <message>
        <source>Сохранить в PNG…</source>
        <translation>Save as PNG…</translation>
    </message>
    <message>
        <source>Сохранить в SVG…</source>
        <translation>Save as SVG…</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Сохранить данные в CSV…</source>
        <translation>Save data as CSV…</translation>
    </message>
    <message>
        <source>Сохранить график в SVG</source>
        <translation>Save plot as SVG</translation>
    </message>
    <message>
        <source>Сохранить график в PNG</source>
        <translation>Save plot as PNG</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Автомасштаб всех графиков</source>
        <translation>Autoscale all plots</translation>
    </message>
    <message>
        <source>Идёт расчёт: кривые появятся, когда он закончится</source>
        <translation>A run is going on: the curves appear when it ends</translation>
    </message>
</context>
<context>
    <name>larmor::EnsembleDialog</name>
    <message>
        <source>скорость дрейфа, м/с: %1 … %2</source>
        <translation>drift velocity, m/s: %1 … %2</translation>
    </message>
    <message>
        <source>начальный питч-угол, 0 … 180°</source>
        <translation>start pitch angle, 0 … 180°</translation>
    </message>
    <message>
        <source>измеренные скорости; пунктир — среднее по теории</source>
        <translation>measured velocities; dashed — the theory’s mean</translation>
    </message>
    <message>
        <source>синие — остались, красные — ушли; пунктир — край конуса потерь</source>
        <translation>blue — stayed, red — escaped; dashed — edge of the loss cone</translation>
    </message>
    <message>
        <source>начальные питч-углы частиц</source>
        <translation>the particles’ start pitch angles</translation>
    </message>
    <message>
        <source>Ансамбль частиц</source>
        <translation>Particle ensemble</translation>
    </message>
    <message>
        <source>изотропное</source>
        <translation>isotropic</translation>
    </message>
    <message>
        <source>конус вокруг α</source>
        <translation>cone around α</translation>
    </message>
    <message>
        <source>равномерно по cos α (вперёд)</source>
        <translation>uniform in cos α (forward)</translation>
    </message>
    <message>
        <source>Пуск</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сохранить CSV…</source>
        <translation>Save CSV…</translation>
    </message>
    <message>
        <source>Сохранить PNG…</source>
        <translation>Save PNG…</translation>
    </message>
    <message>
        <source>Число частиц N:</source>
        <translation>Number of particles N:</translation>
    </message>
    <message>
        <source>Распределение направлений:</source>
        <translation>Distribution of directions:</translation>
    </message>
    <message>
        <source>Зерно генератора:</source>
        <translation>Generator seed:</translation>
    </message>
    <message>
        <source>Старт:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>структура %1, точка (%2; %3; %4) м, %5 м/с, как на панели</source>
        <translation>structure %1, point (%2; %3; %4) m, %5 m/s, as on the panel</translation>
    </message>
    <message>
        <source>осталось ≈ %1 с</source>
        <translation>about %1 s left</translation>
    </message>
    <message>
        <source>Частиц рассчитано: %1 из %2.</source>
        <translation>Particles computed: %1 of %2.</translation>
    </message>
    <message>
        <source>Доля удержанных: %1 ± %2</source>
        <translation>Trapped fraction: %1 ± %2</translation>
    </message>
    <message>
        <source>(теория: %1, α_lc = %2°).</source>
        <translation>(theory: %1, α_lc = %2°).</translation>
    </message>
    <message>
        <source>Удержаны (отражены у обоих концов): %1; ушли вверх: %2, вниз: %3; не определились: %4.</source>
        <translation>Trapped (reflected at both ends): %1; escaped up: %2, down: %3; undecided: %4.</translation>
    </message>
    <message>
        <source>Среднее время ухода: %1 с.</source>
        <translation>Mean escape time: %1 s.</translation>
    </message>
    <message>
        <source>Скорость дрейфа: %1 ± %2 м/с (теория: %3 м/с).</source>
        <translation>Drift velocity: %1 ± %2 m/s (theory: %3 m/s).</translation>
    </message>
    <message>
        <source>Сохранить ансамбль</source>
        <translation>Save ensemble</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
    <message>
        <source>Сохранить гистограмму</source>
        <translation>Save histogram</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Разброс конуса ±:</source>
        <translation>Cone spread ±:</translation>
    </message>
    <message>
        <source>Полуширина конуса питч-углов вокруг α панели, в градусах</source>
        <translation>Half-width of the cone of pitch angles about the panel’s α, in degrees</translation>
    </message>
    <message>
        <source>Пути первых %1 частиц в видах X0Y и X0Z: синие — остались, красные — ушли, серые — не определились</source>
        <translation>Paths of the first %1 particles in the X0Y and X0Z views: blue — stayed, red — escaped, grey — undecided</translation>
    </message>
    <message>
        <source>число частиц</source>
        <translation>number of particles</translation>
    </message>
    <message>
        <source>время ухода, с: 0 … %1</source>
        <translation>escape time, s: 0 … %1</translation>
    </message>
    <message>
        <source>время ухода, с</source>
        <translation>escape time, s</translation>
    </message>
    <message>
        <source>ушедших частиц нет</source>
        <translation>no particle escaped</translation>
    </message>
    <message>
        <source>ушедшие частицы; пунктир — среднее время ухода</source>
        <translation>escaped particles; dashed — the mean escape time</translation>
    </message>
</context>
<context>
    <name>larmor::FileErrors</name>
    <message>
        <source>нет прав доступа</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>операция не разрешена</source>
        <translation>operation not permitted</translation>
    </message>
    <message>
        <source>нет такого файла или папки</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>файловая система доступна только для чтения</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>на диске не осталось места</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>на этом месте папка, а не файл</source>
        <translation>a folder, not a file, is at this place</translation>
    </message>
    <message>
        <source>часть пути — не папка</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>слишком длинное имя файла</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>слишком много символических ссылок в пути</source>
        <translation>too many symbolic links in the path</translation>
    </message>
    <message>
        <source>файл уже существует</source>
        <translation>the file exists already</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода на устройстве</source>
        <translation>input/output error on the device</translation>
    </message>
    <message>
        <source>файл или устройство заняты</source>
        <translation>the file or device is busy</translation>
    </message>
    <message>
        <source>файл занят</source>
        <translation>the file is busy</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>в системе открыто слишком много файлов</source>
        <translation>too many open files in the system</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>недопустимое имя файла или действие</source>
        <translation>invalid file name or action</translation>
    </message>
    <message>
        <source>файл нельзя перенести на другое устройство</source>
        <translation>the file cannot be moved to another device</translation>
    </message>
    <message>
        <source>нет такого устройства</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>нет такого устройства или адреса</source>
        <translation>no such device or address</translation>
    </message>
    <message>
        <source>ресурс временно недоступен</source>
        <translation>resource temporarily unavailable</translation>
    </message>
    <message>
        <source>операция прервана</source>
        <translation>operation interrupted</translation>
    </message>
    <message>
        <source>файл на сетевом диске больше недоступен</source>
        <translation>the file on the network drive is no longer available</translation>
    </message>
    <message>
        <source>истекло время ожидания</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>файл защищён от записи</source>
        <translation>the file is write-protected</translation>
    </message>
    <message>
        <source>записано не всё: возможно, диск заполнен</source>
        <translation>not everything was written: the disk may be full</translation>
    </message>
    <message>
        <source>запись прервана</source>
        <translation>writing was cancelled</translation>
    </message>
    <message>
        <source>причина неизвестна</source>
        <translation>reason unknown</translation>
    </message>
    <message>
        <source>ошибка системы № %1</source>
        <translation>system error no. %1</translation>
    </message>
</context>
<context>
    <name>larmor::FileNaming</name>
    <message>
        <source>сценарий</source>
        <translation>scenario</translation>
    </message>
</context>
<context>
    <name>larmor::Form1</name>
    <message>
        <source>Моделирование движения заряженной частицы в различных магнитных полях</source>
        <translation>Motion of a charged particle in various magnetic fields</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Управление</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>Не удалось открыть документ %1: %2.</source>
        <translation>The document %1 could not be opened: %2.</translation>
    </message>
    <message>
        <source>Инструкция</source>
        <translation>Instruction</translation>
    </message>
    <message>
        <source>О ПРОГРАММЕ</source>
        <translation>ABOUT THE PROGRAM</translation>
    </message>
    <message>
        <source>РЕГИСТРАЦИЯ</source>
        <translation>REGISTRATION</translation>
    </message>
    <message>
        <source>Расчет остановлен по вашей команде после %1 шагов, раньше заданного времени.</source>
        <translation>The run was stopped at your command after %1 steps, before the set time.</translation>
    </message>
    <message>
        <source>Построение графиков…</source>
        <translation>Plotting…</translation>
    </message>
    <message>
        <source>Экспорт траектории</source>
        <translation>Export trajectory</translation>
    </message>
    <message>
        <source>Расчет еще идет: траекторию можно сохранить после его конца.</source>
        <translation>A run is still going on: the trajectory can be saved after it ends.</translation>
    </message>
    <message>
        <source>Траектории еще нет: сначала выполните расчет (ПУСК).</source>
        <translation>There is no trajectory yet: make a run first (RUN).</translation>
    </message>
    <message>
        <source>траектория</source>
        <translation>trajectory</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
    <message>
        <source>Траектория не сохранена</source>
        <translation>Trajectory not saved</translation>
    </message>
    <message>
        <source>Файл «%1» не записан: %2.</source>
        <translation>The file “%1” was not written: %2.</translation>
    </message>
    <message>
        <source>Запись траектории…</source>
        <translation>Writing the trajectory…</translation>
    </message>
    <message>
        <source>Рисование видов…</source>
        <translation>Drawing the views…</translation>
    </message>
    <message>
        <source>Экспорт видов</source>
        <translation>Export views</translation>
    </message>
    <message>
        <source>Расчет еще идет: виды можно сохранить после его конца.</source>
        <translation>A run is still going on: the views can be saved after it ends.</translation>
    </message>
    <message>
        <source>виды</source>
        <translation>views</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Виды не сохранены</source>
        <translation>Views not saved</translation>
    </message>
    <message>
        <source>Точность вычислений</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>q, Кл</source>
        <translation>q, C</translation>
    </message>
    <message>
        <source>Элементарный заряд |е| точно. СИ с 2022 года </source>
        <translation>Elementary charge |e|, exact in SI since 2022 </translation>
    </message>
    <message>
        <source>заряд частицы</source>
        <translation>particle charge</translation>
    </message>
    <message>
        <source>m, кг</source>
        <translation>m, kg</translation>
    </message>
    <message>
        <source>Атомная единица массы. С 2022 года</source>
        <translation>Atomic mass unit, since 2022</translation>
    </message>
    <message>
        <source>масса частицы</source>
        <translation>particle mass</translation>
    </message>
    <message>
        <source>v, м/с</source>
        <translation>v, m/s</translation>
    </message>
    <message>
        <source>скорость частицы</source>
        <translation>particle speed</translation>
    </message>
    <message>
        <source>угол между скоростью и осью OZ</source>
        <translation>angle between the velocity and the OZ axis</translation>
    </message>
    <message>
        <source>градусы</source>
        <translation>degrees</translation>
    </message>
    <message>
        <source>угол между поперечной скоростью и осью OX</source>
        <translation>angle between the transverse velocity and the OX axis</translation>
    </message>
    <message>
        <source>Bo, Тл</source>
        <translation>Bo, T</translation>
    </message>
    <message>
        <source>Индукция магнитного поля</source>
        <translation>Magnetic flux density</translation>
    </message>
    <message>
        <source>магнитное поле</source>
        <translation>magnetic field</translation>
    </message>
    <message>
        <source>размер, м</source>
        <translation>size, m</translation>
    </message>
    <message>
        <source>размер изучаемой области</source>
        <translation>size of the region studied</translation>
    </message>
    <message>
        <source>размер области </source>
        <translation>region size </translation>
    </message>
    <message>
        <source>Хо, м</source>
        <translation>Xo, m</translation>
    </message>
    <message>
        <source>начальная координата х</source>
        <translation>start coordinate x</translation>
    </message>
    <message>
        <source>Yо, м</source>
        <translation>Yo, m</translation>
    </message>
    <message>
        <source>начальная координата y</source>
        <translation>start coordinate y</translation>
    </message>
    <message>
        <source>начальная координата координата y</source>
        <translation>start coordinate y</translation>
    </message>
    <message>
        <source>Zo, м</source>
        <translation>Zo, m</translation>
    </message>
    <message>
        <source>начальная координата z</source>
        <translation>start coordinate z</translation>
    </message>
    <message>
        <source>Структура магнитного поля</source>
        <translation>Structure of the magnetic field</translation>
    </message>
    <message>
        <source>S, м</source>
        <translation>S, m</translation>
    </message>
    <message>
        <source>характерная длина</source>
        <translation>characteristic length</translation>
    </message>
    <message>
        <source>d, м</source>
        <translation>d, m</translation>
    </message>
    <message>
        <source>полуширина ловушки</source>
        <translation>half-width of the trap</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Время расчета в периодах</source>
        <translation>Run time in periods</translation>
    </message>
    <message>
        <source>ПУСК</source>
        <translation>RUN</translation>
    </message>
    <message>
        <source>выполнить расчет</source>
        <translation>make the run</translation>
    </message>
    <message>
        <source>Замедление расчёта</source>
        <translation>Slowing of the run</translation>
    </message>
    <message>
        <source>циклотронная частота при B=Bo</source>
        <translation>cyclotron frequency at B=Bo</translation>
    </message>
    <message>
        <source>период</source>
        <translation>period</translation>
    </message>
    <message>
        <source>радиус окружности</source>
        <translation>radius of the circle</translation>
    </message>
    <message>
        <source>шаг винта</source>
        <translation>pitch of the helix</translation>
    </message>
    <message>
        <source>Погрешность расчёта скорости</source>
        <translation>Error of the computed speed</translation>
    </message>
    <message>
        <source>плоскость X0Y</source>
        <translation>X0Y plane</translation>
    </message>
    <message>
        <source>плоскость X0Z</source>
        <translation>X0Z plane</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Примеры</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>Открыть сценарий…</source>
        <translation>Open scenario…</translation>
    </message>
    <message>
        <source>Сохранить сценарий…</source>
        <translation>Save scenario…</translation>
    </message>
    <message>
        <source>Экспорт траектории (CSV)…</source>
        <translation>Export trajectory (CSV)…</translation>
    </message>
    <message>
        <source>Экспорт видов (PNG)…</source>
        <translation>Export views (PNG)…</translation>
    </message>
    <message>
        <source>Cправка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Диагностика</source>
        <translation>Diagnostics</translation>
    </message>
    <message>
        <source>Окно диагностики</source>
        <translation>Diagnostics window</translation>
    </message>
    <message>
        <source>Метод Бориса</source>
        <translation>Boris method</translation>
    </message>
    <message>
        <source>Остановить расчет</source>
        <translation>Stop the run</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Авторы</source>
        <translation>Authors</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Регистрация</source>
        <translation>Registration</translation>
    </message>
    <message>
        <source>   время расчета</source>
        <translation>   run time </translation>
    </message>
    <message>
        <source> c</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Расчет остановлен после %1 шагов, раньше заданного времени: это наибольшее число шагов одного расчета. Чтобы дойти до конца, уменьшите время расчета в периодах.</source>
        <translation>The run was stopped after %1 steps, before the set time: this is the largest number of steps of one run. To reach the end, shorten the run time in periods.</translation>
    </message>
    <message>
        <source>Расчет остановлен после %1 шагов: координаты или скорость частицы вышли за пределы представимых чисел, погрешность dV не определена. Измените параметры поля или начальную точку.</source>
        <translation>The run was stopped after %1 steps: the particle’s coordinates or speed left the range of representable numbers, the error dV is undefined. Change the field’s parameters or the start point.</translation>
    </message>
    <message>
        <source>В этой структуре поля старт на оси OZ невозможен: уравнения движения делят на расстояние до оси. Сместите начальную точку (Xo или Yo).</source>
        <translation>In this field structure a start on the OZ axis is impossible: the equations of motion divide by the distance to the axis. Move the start point (Xo or Yo).</translation>
    </message>
    <message>
        <source>Расчет прерван</source>
        <translation>Run interrupted</translation>
    </message>
    <message>
        <source>Расчет остановлен</source>
        <translation>Run stopped</translation>
    </message>
    <message>
        <source>Сценарий</source>
        <translation>Scenario</translation>
    </message>
    <message>
        <source>Расчет еще идет: сценарий можно открыть после его конца. Остановить расчет можно клавишей Esc или пунктом «Диагностика → Остановить расчет».</source>
        <translation>A run is still going on: the scenario can be opened after it ends. The run stops with the Esc key or the item “Diagnostics → Stop the run”.</translation>
    </message>
    <message>
        <source>файл не читается (%1)</source>
        <translation>the file cannot be read (%1)</translation>
    </message>
    <message>
        <source>Сценарий не открыт</source>
        <translation>Scenario not opened</translation>
    </message>
    <message>
        <source>Сценарий «%1» не открыт: %2.

В окне ничего не изменилось.</source>
        <translation>The scenario “%1” was not opened: %2.

Nothing changed in the window.</translation>
    </message>
    <message>
        <source>Открыть сценарий</source>
        <translation>Open scenario</translation>
    </message>
    <message>
        <source>Сценарии Larmor (*.larmor)</source>
        <translation>Larmor scenarios (*.larmor)</translation>
    </message>
    <message>
        <source>Сохранить сценарий</source>
        <translation>Save scenario</translation>
    </message>
    <message>
        <source>Сценарий не сохранён</source>
        <translation>Scenario not saved</translation>
    </message>
    <message>
        <source>Сценарий «%1» не сохранён: %2.</source>
        <translation>The scenario “%1” was not saved: %2.</translation>
    </message>
    <message>
        <source>Примеры не найдены</source>
        <translation>No examples found</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1 в текстовом редакторе.</source>
        <translation>The file %1 could not be opened in a text editor.</translation>
    </message>
    <message>
        <source>Ансамбль частиц…</source>
        <translation>Particle ensemble…</translation>
    </message>
    <message>
        <source>Траектория в пространстве</source>
        <translation>Trajectory in space</translation>
    </message>
    <message>
        <source>Построение траектории…</source>
        <translation>Building the trajectory…</translation>
    </message>
</context>
<context>
    <name>larmor::Form2</name>
    <message>
        <source>Авторы</source>
        <translation>Authors</translation>
    </message>
</context>
<context>
    <name>larmor::InfoTexts</name>
    <message>
        <source>Программа моделирует движение заряженной частицы в магнитных полях различных конфигураций.</source>
        <translation>The program simulates the motion of a charged particle in magnetic fields of various configurations.</translation>
    </message>
    <message>
        <source>История версий:</source>
        <translation>Version history:</translation>
    </message>
    <message>
        <source>Версия 1.0. MS DOS. 1996, декабрь. Однородное поле, плоский градиентный дрейф.</source>
        <translation>Version 1.0. MS DOS. December 1996. Uniform field, plane gradient drift.</translation>
    </message>
    <message>
        <source>Языки Паскаль и ассемблер — автор программы, преподаватель кафедры физики. Описание опубликовано в методическом сборнике кафедры, 1997.</source>
        <translation>Pascal and assembler — the program’s author, a lecturer of the physics department. The description was published in the department’s teaching collection, 1997.</translation>
    </message>
    <message>
        <source>Версия 1.1. MS DOS, WINDOWS 95,98,ХР. 2003. Небольшие исправления.</source>
        <translation>Version 1.1. MS DOS, WINDOWS 95,98,XP. 2003. Small corrections.</translation>
    </message>
    <message>
        <source>Версия 2.0, MS DOS, WINDOWS 95,98,ХР. 2007. Добавлен осевой дрейф.</source>
        <translation>Version 2.0, MS DOS, WINDOWS 95,98,XP. 2007. Axial drift added.</translation>
    </message>
    <message>
        <source>Языки Паскаль и Си — автор программы; графика на Си — студент-дипломник кафедры.</source>
        <translation>Pascal and C — the program’s author; graphics in C — a graduating student of the department.</translation>
    </message>
    <message>
        <source>Версия 3.0. WINDOWS ХР. 2009. Добавлены магнитная ловушка, центробежный дрейф.</source>
        <translation>Version 3.0. WINDOWS XP. 2009. Magnetic trap and centrifugal drift added.</translation>
    </message>
    <message>
        <source>Среда Visual Basic — автор программы; участники — два студента кафедры физики.</source>
        <translation>Visual Basic — the program’s author; contributors — two students of the physics department.</translation>
    </message>
    <message>
        <source>версия 4.0. WINDOWS ХР, 7. 08.07.2013. Добавлены магнитный монополь, магнитная ловушка-2.</source>
        <translation>version 4.0. WINDOWS XP, 7. 08.07.2013. Magnetic monopole and magnetic trap-2 added.</translation>
    </message>
    <message>
        <source>Среда Visual Basic — автор программы.</source>
        <translation>Visual Basic — the program’s author.</translation>
    </message>
    <message>
        <source>версия 4.1. WINDOWS ХР, 7, 8, 10. 2016, апрель. Небольшие исправления.</source>
        <translation>version 4.1. WINDOWS XP, 7, 8, 10. April 2016. Small corrections.</translation>
    </message>
    <message>
        <source>версия 4.2. WINDOWS ХР, 7, 8, 10. 2024, май. Переработан интерфейс. Исправлены ошибки.</source>
        <translation>version 4.2. WINDOWS XP, 7, 8, 10. May 2024. Interface reworked. Errors corrected.</translation>
    </message>
    <message>
        <source>Отраслевой фонд алгоритмов и программ: номер регистрации не указан в этой редакции, 1997.</source>
        <translation>Branch fund of algorithms and programs: the registration number is not given in this edition, 1997.</translation>
    </message>
    <message>
        <source>Фонд электронных образовательных ресурсов: номер регистрации не указан в этой редакции, 2009.</source>
        <translation>Fund of electronic educational resources: the registration number is not given in this edition, 2009.</translation>
    </message>
    <message>
        <source>Реестр учебных программ университета: номер регистрации не указан в этой редакции, 2013.</source>
        <translation>University register of teaching programs: the registration number is not given in this edition, 2013.</translation>
    </message>
    <message>
        <source>Свидетельство о государственной регистрации программы для ЭВМ (версия 4.1): номер не указан в этой редакции.</source>
        <translation>Certificate of state registration of the computer program (version 4.1): the number is not given in this edition.</translation>
    </message>
    <message>
        <source>Дата государственной регистрации в Реестре программ для ЭВМ: не указана в этой редакции.</source>
        <translation>Date of state registration in the Register of computer programs: not given in this edition.</translation>
    </message>
    <message>
        <source>Регистрация опубликована в официальном бюллетене программ для ЭВМ.</source>
        <translation>The registration was published in the official bulletin of computer programs.</translation>
    </message>
    <message>
        <source>Версия 4.2 пока не зарегистрирована.</source>
        <translation>Version 4.2 is not registered yet.</translation>
    </message>
    <message>
        <source>Автор программы, 2024, май</source>
        <translation>The program’s author, May 2024</translation>
    </message>
    <message>
        <source>кандидат физико-математических наук.</source>
        <translation>PhD in physics and mathematics.</translation>
    </message>
    <message>
        <source>доцент</source>
        <translation>associate professor</translation>
    </message>
    <message>
        <source>кафедра физики университета</source>
        <translation>university physics department</translation>
    </message>
    <message>
        <source>город не указан, Россия</source>
        <translation>city not given, Russia</translation>
    </message>
</context>
<context>
    <name>larmor::MessageDialogs</name>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>На Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Вы абсолютно уверены?</source>
        <translation>Are you absolutely sure?</translation>
    </message>
</context>
<context>
    <name>larmor::OrbitCanvas</name>
    <message>
        <source>Левая кнопка — повернуть, правая или Shift — сдвинуть, колесо — масштаб, двойной щелчок — исходный вид</source>
        <translation>Left button — turn, right button or Shift — shift, wheel — zoom, double click — the first view</translation>
    </message>
</context>
<context>
    <name>larmor::OrbitView</name>
    <message>
        <source>Траектория в пространстве</source>
        <translation>Trajectory in space</translation>
    </message>
    <message>
        <source>Путь по теории</source>
        <translation>Path by theory</translation>
    </message>
    <message>
        <source>Ведущий центр (однородное поле, дрейфы), точки поворота (ловушки) или конус вокруг вектора J с вершиной в монополе, как их предсказывает теория</source>
        <translation>The guiding centre (uniform field, drifts), the turning points (traps) or the cone about the vector J with its apex at the monopole, as the theory predicts them</translation>
    </message>
    <message>
        <source>Цвет по времени</source>
        <translation>Colour by time</translation>
    </message>
    <message>
        <source>Сохранить PNG…</source>
        <translation>Save PNG…</translation>
    </message>
    <message>
        <source>Экспорт вида в пространстве</source>
        <translation>Export the view in space</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Экспорт не выполнен</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1.</source>
        <translation>The file %1 could not be written.</translation>
    </message>
</context>
<context>
    <name>larmor::PlotReadout</name>
    <message>
        <source>t = %1 с</source>
        <translation>t = %1 s</translation>
    </message>
</context>
<context>
    <name>larmor::ReplayProgress</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>larmor::TheoryTable</name>
    <message>
        <source>Величина</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Теория</source>
        <translation>Theory</translation>
    </message>
    <message>
        <source>Расчёт</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Расхождение</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>Вывод</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>совпадает</source>
        <translation>agrees</translation>
    </message>
    <message>
        <source>не совпадает</source>
        <translation>disagrees</translation>
    </message>
    <message>
        <source>теория предсказывает 0: сравнивать не с чем, расчёт показывает отклонение само</source>
        <translation>the theory predicts 0: nothing to compare with, the run shows the deviation itself</translation>
    </message>
    <message>
        <source> (ошибка счёта)</source>
        <translation> (numerical error)</translation>
    </message>
</context>
</TS>
