#include "lang/Texts.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <vector>

namespace kestrion {

namespace {

// Menu captions keep the access key of their English caption in the three Asian languages as a
// letter in brackets, the way their desktops write it; Spanish and Turkish choose a letter of their
// own word that no other item of the same menu takes. Captions without a key stay without one.
constexpr TextEntry kTexts[] = {
    // ---- The menu bar ----------------------------------------------------------------------------
    {"FileMenu", {"&File", "檔案(&F)", "文件(&F)", "ファイル(&F)", "&Archivo", "&Dosya"}},
    {"EditMenu", {"&Edit", "編輯(&E)", "编辑(&E)", "編集(&E)", "&Edición", "Dü&zen"}},
    {"ViewMenu", {"&View", "檢視(&V)", "视图(&V)", "表示(&V)", "&Ver", "&Görünüm"}},
    {"CommentMenu", {"&Comment", "註解(&C)", "注释(&C)", "コメント(&C)", "&Comentario", "&Açıklama"}},
    {"CompilerMenu", {"Comp&iler", "編譯(&I)", "编译(&I)", "コンパイラ(&I)", "Compila&dor", "D&erleyici"}},
    {"MonitorMenu", {"&Monitor", "監控(&M)", "监控(&M)", "モニタ(&M)", "&Monitor", "İzle&me"}},
    {"PlcMenu", {"&PLC", "PLC(&P)", "PLC(&P)", "PLC(&P)", "&PLC", "&PLC"}},
    {"mmWizard", {"&Wizard", "精靈(&W)", "向导(&W)", "ウィザード(&W)", "A&sistente", "&Sihirbaz"}},
    {"ToolsMenu", {"&Tools", "工具(&T)", "工具(&T)", "ツール(&T)", "&Herramientas", "A&raçlar"}},
    {"OptionMenu", {"Optio&n", "選項(&N)", "选项(&N)", "オプション(&N)", "&Opciones", "Seçe&nekler"}},
    {"LanguageMenu", {"&Language", "語言(&L)", "语言(&L)", "言語(&L)", "&Idioma", "D&il"}},
    {"HelpMenu", {"&Help", "說明(&H)", "帮助(&H)", "ヘルプ(&H)", "Ay&uda", "&Yardım"}},

    // ---- File --------------------------------------------------------------------------------------
    {"New1", {"&New", "開新檔案(&N)", "新建(&N)", "新規作成(&N)", "&Nuevo", "&Yeni"}},
    {"Open1", {"&Open...", "開啟舊檔(&O)...", "打开(&O)...", "開く(&O)...", "&Abrir...", "&Aç..."}},
    {"Close1", {"&Close", "關閉(&C)", "关闭(&C)", "閉じる(&C)", "&Cerrar", "Ka&pat"}},
    {"Save1", {"&Save", "儲存(&S)", "保存(&S)", "上書き保存(&S)", "&Guardar", "Kay&det"}},
    {"SaveAs1",
     {"Save &As...", "另存新檔(&A)...", "另存为(&A)...", "名前を付けて保存(&A)...", "Guardar co&mo...",
      "&Farklı kaydet..."}},
    {"PrinterSetup1",
     {"P&rinter setup", "印表機設定(&R)", "打印机设置(&R)", "プリンタの設定(&R)", "Configurar &impresora",
      "Ya&zıcı ayarları"}},
    {"Print1", {"&Print", "列印(&P)", "打印(&P)", "印刷(&P)", "Im&primir", "Yazdı&r"}},
    {"GcodeConvert1",
     {"&G-code convert", "G 碼轉換(&G)", "G 代码转换(&G)", "G コード変換(&G)", "Con&vertir a código G",
      "&G kodu dönüştür"}},
    {"Exit1", {"E&xit", "結束(&X)", "退出(&X)", "終了(&X)", "&Salir", "Çı&kış"}},
    // The submenus of the example programs; the programs keep the names of their files.
    {"Templates1", {"Templates", "範例程式", "范例程序", "テンプレート", "Plantillas", "Şablonlar"}},
    {"Moduleprograms1",
     {"Module programs", "模組程式", "模块程序", "モジュールプログラム", "Programas de módulos",
      "Modül programları"}},
    {"DemoKit1", {"DemoKit", "展示套件", "演示套件", "デモキット", "Kit de demostración", "Demo kiti"}},
    {"Factoryprograms1",
     {"Factory programs", "工廠程式", "工厂程序", "工場プログラム", "Programas de fábrica",
      "Fabrika programları"}},
    {"Axescontrol1", {"Axes control", "軸控制", "轴控制", "軸制御", "Control de ejes", "Eksen kontrolü"}},
    {"Basic1", {"Basic", "基本", "基本", "基本", "Básico", "Temel"}},
    {"Communication1", {"Communication", "通訊", "通讯", "通信", "Comunicación", "İletişim"}},
    {"Interrupt1", {"Interrupt", "中斷", "中断", "割り込み", "Interrupción", "Kesme"}},
    {"SubProgram1", {"SubProgram", "副程式", "子程序", "サブプログラム", "Subprograma", "Alt program"}},
    {"Floatingpoint1",
     {"Floating point", "浮點運算", "浮点运算", "浮動小数点", "Coma flotante", "Kayan nokta"}},
    {"HSC1", {"HSC", "高速計數器", "高速计数器", "高速カウンタ", "Contador rápido", "Yüksek hızlı sayıcı"}},
    {"Calendar1", {"Calendar", "萬年曆", "万年历", "カレンダ", "Calendario", "Takvim"}},

    // ---- Edit --------------------------------------------------------------------------------------
    {"Undo1", {"&Undo", "復原(&U)", "撤消(&U)", "元に戻す(&U)", "&Deshacer", "&Geri al"}},
    {"EditCancel1",
     {"&Edit cancel", "取消編輯(&E)", "取消编辑(&E)", "編集の取り消し(&E)", "Cancelar &edición",
      "Düzenlemeyi &iptal et"}},
    {"Cut2", {"Cu&t", "剪下(&T)", "剪切(&T)", "切り取り(&T)", "Cor&tar", "&Kes"}},
    {"Copy2", {"&Copy", "複製(&C)", "复制(&C)", "コピー(&C)", "&Copiar", "K&opyala"}},
    {"Paste2", {"&Paste", "貼上(&P)", "粘贴(&P)", "貼り付け(&P)", "&Pegar", "&Yapıştır"}},
    {"InsertLine1",
     {"&Insert line", "插入行(&I)", "插入行(&I)", "行の挿入(&I)", "&Insertar línea", "&Satır ekle"}},
    {"DeleteLine1",
     {"&Delete line", "刪除行(&D)", "删除行(&D)", "行の削除(&D)", "E&liminar línea", "Satır si&l"}},
    {"DrawLink1",
     {"Draw vertical &link", "繪製垂直連線(&L)", "绘制垂直连线(&L)", "縦線の作成(&L)",
      "Dibujar enlace &vertical", "Dik&ey bağlantı çiz"}},
    {"EraseLink1",
     {"Erase vertical lin&k", "刪除垂直連線(&K)", "删除垂直连线(&K)", "縦線の削除(&K)",
      "Borrar e&nlace vertical", "Dikey bağlan&tıyı sil"}},

    // ---- Edit: find, replace, go to step -----------------------------------------------------------
    {"Find1", {"&Find...", "尋找(&F)...", "查找(&F)...", "検索(&F)...", "&Buscar...", "&Bul..."}},
    {"FindNext1",
     {"Find &next", "尋找下一個(&N)", "查找下一个(&N)", "次を検索(&N)", "Buscar &siguiente",
      "Sonrakini b&ul"}},
    {"FindPrevious1",
     {"Find pre&vious", "尋找上一個(&V)", "查找上一个(&V)", "前を検索(&V)", "Buscar &anterior",
      "Ö&ncekini bul"}},
    {"Replace1",
     {"&Replace...", "取代(&R)...", "替换(&R)...", "置換(&R)...", "&Reemplazar...", "&Değiştir..."}},
    {"GoToStep1",
     {"&Go to step...", "跳至步數(&G)...", "跳至步数(&G)...", "ステップへ移動(&G)...", "Ir al pas&o...",
      "&Adıma git..."}},
    {"ZoomAuto1", {"Auto", "自動", "自动", "自動", "Automático", "Otomatik"}},
    {"FindCaption", {"Find", "尋找", "查找", "検索", "Buscar", "Bul"}},
    {"FindNothingTyped",
     {"Type what to find.", "請輸入要尋找的內容。", "请输入要查找的内容。",
      "検索する内容を入力してください。", "Escriba lo que desea buscar.", "Aranacak şeyi yazın."}},
    {"FindNoDevice",
     {"\"%1\" is not a device. Type a device such as X10, D100 or T0.",
      "「%1」不是元件。請輸入元件，例如 X10、D100 或 T0。",
      "“%1”不是元件。请输入元件，例如 X10、D100 或 T0。",
      "「%1」はデバイスではありません。X10、D100、T0 のようにデバイスを入力してください。",
      "«%1» no es un dispositivo. Escriba un dispositivo como X10, D100 o T0.",
      "\"%1\" bir cihaz değil. X10, D100 veya T0 gibi bir cihaz yazın."}},
    {"FindNotFound",
     {"\"%1\" was not found.", "找不到「%1」。", "找不到“%1”。", "「%1」は見つかりませんでした。",
      "No se encontró «%1».", "\"%1\" bulunamadı."}},
    {"FindWrappedToStart",
     {"The search reached the end of the program and went on from its start.",
      "已搜尋到程式結尾，從開頭繼續搜尋。", "已查找到程序末尾，从开头继续查找。",
      "プログラムの終わりに達したため、先頭から検索を続けました。",
      "La búsqueda llegó al final del programa y continuó desde el principio.",
      "Arama programın sonuna ulaştı ve baştan devam etti."}},
    {"FindWrappedToEnd",
     {"The search reached the start of the program and went on from its end.",
      "已搜尋到程式開頭，從結尾繼續搜尋。", "已查找到程序开头，从末尾继续查找。",
      "プログラムの先頭に達したため、終わりから検索を続けました。",
      "La búsqueda llegó al principio del programa y continuó desde el final.",
      "Arama programın başına ulaştı ve sondan devam etti."}},
    {"GoToPastEnd",
     {"Step %1 lies past END (step %2).", "步數 %1 超出 END (步數 %2)。", "步数 %1 超出 END (步数 %2)。",
      "ステップ %1 は END (ステップ %2) より後です。", "El paso %1 está después de END (paso %2).",
      "%1. adım END'den (%2. adım) sonra."}},
    {"ReplaceCaption", {"Replace", "取代", "替换", "置換", "Reemplazar", "Değiştir"}},
    {"ReplaceNoDevices",
     {"Type the devices to replace, one device or a range such as X0 or M0-M99, and the device that takes "
      "the place of the first, such as X20 or M100.",
      "請輸入要取代的元件(單一元件或範圍，例如 X0 或 M0-M99)，以及取代第一個元件的元件，例如 X20 或 M100。",
      "请输入要替换的元件(单个元件或范围，例如 X0 或 M0-M99)，以及替换第一个元件的元件，例如 X20 或 M100。",
      "置換するデバイス (X0 のような 1 つのデバイス、または M0-M99 のような範囲) と、先頭のデバイスの代わりに"
      "なるデバイス (X20、M100 など) を入力してください。",
      "Escriba los dispositivos que se reemplazan (uno, como X0, o un intervalo, como M0-M99) y el "
      "dispositivo "
      "que ocupa el lugar del primero, como X20 o M100.",
      "Değiştirilecek cihazları (X0 gibi tek bir cihaz veya M0-M99 gibi bir aralık) ve ilkinin yerini alacak "
      "cihazı (X20 veya M100 gibi) yazın."}},
    {"ReplaceLabels",
     {"Labels (P, I) are not replaced here: change them in the instruction box.",
      "標籤(P、I)不在此取代，請在指令輸入框中修改。", "标签(P、I)不在此替换，请在指令输入框中修改。",
      "ラベル (P、I) はここでは置換しません。命令入力ボックスで変更してください。",
      "Las etiquetas (P, I) no se reemplazan aquí: cámbielas en el cuadro de instrucción.",
      "Etiketler (P, I) burada değiştirilmez: komut kutusunda değiştirin."}},
    {"ReplaceNesting",
     {"Nesting levels (N) are not replaced here: change them in the instruction box.",
      "巢狀層級(N)不在此取代，請在指令輸入框中修改。", "嵌套层级(N)不在此替换，请在指令输入框中修改。",
      "ネストレベル (N) はここでは置換しません。命令入力ボックスで変更してください。",
      "Los niveles de anidamiento (N) no se reemplazan aquí: cámbielos en el cuadro de instrucción.",
      "İç içe geçme seviyeleri (N) burada değiştirilmez: komut kutusunda değiştirin."}},
    {"ReplaceRangeOrder",
     {"A range runs from a device to a later one of the same letter, such as M0-M99.",
      "範圍須從一個元件到同一字母的後續元件，例如 M0-M99。",
      "范围须从一个元件到同一字母的后续元件，例如 M0-M99。",
      "範囲は同じ文字のデバイスで、小さい番号から大きい番号へ指定します (例: M0-M99)。",
      "Un intervalo va de un dispositivo a otro posterior de la misma letra, como M0-M99.",
      "Aralık, aynı harfte bir cihazdan sonraki bir cihaza uzanır: M0-M99 gibi."}},
    {"ReplaceSame",
     {"%1 would stay %1: nothing to replace.", "%1 將維持為 %1，沒有要取代的內容。",
      "%1 将保持为 %1，没有要替换的内容。", "%1 は %1 のままです。置換するものはありません。",
      "%1 seguiría siendo %1: no hay nada que reemplazar.", "%1 yine %1 olur: değiştirilecek bir şey yok."}},
    {"ReplaceSteps",
     {"Type the step range as two step numbers, the first not above the second.",
      "請以兩個步數輸入步數範圍，第一個不可大於第二個。", "请以两个步数输入步数范围，第一个不可大于第二个。",
      "ステップ範囲は 2 つのステップ番号で入力し、最初の番号を 2 番目以下にしてください。",
      "Escriba el intervalo como dos números de paso, el primero no mayor que el segundo.",
      "Adım aralığını iki adım numarası olarak yazın; ilki ikinciden büyük olmamalı."}},
    {"ReplaceNoneFound",
     {"Nothing was replaced: no operand names %1.", "未取代任何內容：沒有運算元使用 %1。",
      "未替换任何内容：没有操作数使用 %1。", "置換しませんでした: %1 を使うオペランドはありません。",
      "No se reemplazó nada: ningún operando usa %1.",
      "Hiçbir şey değiştirilmedi: %1 kullanan operand yok."}},
    {"ReplaceRefused",
     {"Nothing was replaced: %1 at %2 does not fit PLC type %3.",
      "未取代任何內容：%2 的 %1 不符合 PLC 機型 %3。", "未替换任何内容：%2 的 %1 不符合 PLC 机型 %3。",
      "置換しませんでした: %2 の %1 は PLC 機種 %3 に合いません。",
      "No se reemplazó nada: %1 en %2 no es válido para el tipo de PLC %3.",
      "Hiçbir şey değiştirilmedi: %2 konumundaki %1, PLC türü %3 için uygun değil."}},
    {"ReplaceAtStepLine",
     {"step %1, line %2", "步數 %1，第 %2 行", "步数 %1，第 %2 行", "ステップ %1、%2 行目",
      "paso %1, línea %2", "adım %1, satır %2"}},
    {"ReplaceAtLine",
     {"line %1 (not converted yet)", "第 %1 行(尚未轉換)", "第 %1 行(尚未转换)", "%1 行目 (未変換)",
      "línea %1 (aún sin convertir)", "satır %1 (henüz dönüştürülmedi)"}},
    {"ReplaceDone",
     {"%1 operands replaced in %2 instructions. Convert the ladder to write them into the program.",
      "已在 %2 個指令中取代 %1 個運算元。請轉換階梯圖以寫入程式。",
      "已在 %2 条指令中替换 %1 个操作数。请转换梯形图以写入程序。",
      "%2 個の命令で %1 個のオペランドを置換しました。プログラムに反映するにはラダーを変換してください。",
      "Se reemplazaron %1 operandos en %2 instrucciones. Convierta el ladder para escribirlos en el "
      "programa.",
      "%2 komutta %1 operand değiştirildi. Programa yazmak için ladder'ı dönüştürün."}},
    // The same with one instruction, and with one operand (in one instruction).
    {"ReplaceDoneInOne",
     {"%1 operands replaced in %2 instruction. Convert the ladder to write them into the program.",
      "已在 %2 個指令中取代 %1 個運算元。請轉換階梯圖以寫入程式。",
      "已在 %2 条指令中替换 %1 个操作数。请转换梯形图以写入程序。",
      "%2 個の命令で %1 個のオペランドを置換しました。プログラムに反映するにはラダーを変換してください。",
      "Se reemplazaron %1 operandos en %2 instrucción. Convierta el ladder para escribirlos en el "
      "programa.",
      "%2 komutta %1 operand değiştirildi. Programa yazmak için ladder'ı dönüştürün."}},
    {"ReplaceDoneOne",
     {"%1 operand replaced in %2 instruction. Convert the ladder to write it into the program.",
      "已在 %2 個指令中取代 %1 個運算元。請轉換階梯圖以寫入程式。",
      "已在 %2 条指令中替换 %1 个操作数。请转换梯形图以写入程序。",
      "%2 個の命令で %1 個のオペランドを置換しました。プログラムに反映するにはラダーを変換してください。",
      "Se reemplazó %1 operando en %2 instrucción. Convierta el ladder para escribirlo en el programa.",
      "%2 komutta %1 operand değiştirildi. Programa yazmak için ladder'ı dönüştürün."}},
    // The line the closing box adds when devices that take the place kept their own comments or
    // names, with more than one and with one.
    {"ReplaceKept",
     {"%1 device comments or names that the new devices already had were kept; the replaced devices "
      "keep theirs.",
      "已保留新元件原有的 %1 個元件註解或名稱，被取代的元件也保留其原有內容。",
      "已保留新元件原有的 %1 个元件注释或名称，被替换的元件也保留其原有内容。",
      "置換先のデバイスが持っていたデバイスコメントまたはデバイス名 %1 個をそのまま残しました。置換元の"
      "デバイスも自分のものを保持します。",
      "Se conservaron %1 comentarios o nombres que los dispositivos nuevos ya tenían; los dispositivos "
      "reemplazados conservan los suyos.",
      "Yeni cihazların zaten sahip olduğu %1 cihaz açıklaması veya adı korundu; değiştirilen cihazlar "
      "kendilerininkini korur."}},
    {"ReplaceKeptOne",
     {"%1 device comment or name that the new device already had was kept; the replaced device keeps "
      "its own.",
      "已保留新元件原有的 %1 個元件註解或名稱，被取代的元件也保留其原有內容。",
      "已保留新元件原有的 %1 个元件注释或名称，被替换的元件也保留其原有内容。",
      "置換先のデバイスが持っていたデバイスコメントまたはデバイス名 %1 個をそのまま残しました。置換元の"
      "デバイスも自分のものを保持します。",
      "Se conservó %1 comentario o nombre que el dispositivo nuevo ya tenía; el dispositivo reemplazado "
      "conserva el suyo.",
      "Yeni cihazın zaten sahip olduğu %1 cihaz açıklaması veya adı korundu; değiştirilen cihaz "
      "kendisininkini korur."}},

    // ---- View --------------------------------------------------------------------------------------
    {"LadderView1",
     {"&Ladder view", "階梯圖檢視(&L)", "梯形图视图(&L)", "ラダー表示(&L)", "Vista &Ladder",
      "&Ladder görünümü"}},
    {"InstructionView1",
     {"&Instruction view", "指令檢視(&I)", "指令视图(&I)", "命令リスト表示(&I)", "Vista de &instrucciones",
      "&Komut görünümü"}},
    {"RegisterView1",
     {"&Register view", "暫存器檢視(&R)", "寄存器视图(&R)", "レジスタ表示(&R)", "Vista de &registros",
      "&Yazmaç görünümü"}},
    {"Font1", {"&Font", "字型(&F)", "字体(&F)", "フォント(&F)", "&Fuente", "Yazı &tipi"}},
    {"CellWidth1",
     {"Cell &width", "格寬(&W)", "格宽(&W)", "セルの幅(&W)", "&Ancho de celda", "&Hücre genişliği"}},
    {"CellHeight1",
     {"Cell &height", "格高(&H)", "格高(&H)", "セルの高さ(&H)", "Al&to de celda", "Hücre yüksekl&iği"}},
    {"Zoom1", {"&Zoom", "縮放(&Z)", "缩放(&Z)", "ズーム(&Z)", "&Zoom", "Yakınlaştı&rma"}},

    // ---- Comment -----------------------------------------------------------------------------------
    {"DeviceComment2",
     {"&Device comment", "元件註解(&D)", "元件注释(&D)", "デバイスコメント(&D)", "Comentario de &dispositivo",
      "&Cihaz açıklaması"}},
    {"BlockComment2",
     {"&Block comment", "區塊註解(&B)", "块注释(&B)", "ブロックコメント(&B)", "Comentario de &bloque",
      "&Blok açıklaması"}},
    {"CoilComment2",
     {"C&oil comment", "線圈註解(&O)", "线圈注释(&O)", "コイルコメント(&O)", "Comentario de b&obina",
      "B&obin açıklaması"}},
    {"CommentEdit1",
     {"&Edit comments...", "編輯註解(&E)...", "编辑注释(&E)...", "コメントの編集(&E)...",
      "&Editar comentarios...", "Açıklamaları &düzenle..."}},
    {"msDeviceCommentList1",
     {"Device comment &list", "元件註解列表(&L)", "元件注释列表(&L)", "デバイスコメント一覧(&L)",
      "&Lista de comentarios de dispositivo", "Cihaz açıklama &listesi"}},
    {"msBlockCommentList1",
     {"Block comment l&ist", "區塊註解列表(&I)", "块注释列表(&I)", "ブロックコメント一覧(&I)",
      "L&ista de comentarios de bloque", "Blok açıklama l&istesi"}},
    {"msCoilCommentList1",
     {"Coil comment li&st", "線圈註解列表(&S)", "线圈注释列表(&S)", "コイルコメント一覧(&S)",
      "Li&sta de comentarios de bobina", "Bobin açıklama li&stesi"}},
    {"msDeviceNameList1",
     {"Device &name list", "元件名稱列表(&N)", "元件名称列表(&N)", "デバイス名一覧(&N)",
      "Lista de &nombres de dispositivo", "Cihaz &adları listesi"}},

    // ---- Compiler, Monitor -------------------------------------------------------------------------
    {"LadderToInstruction1",
     {"Ladder=>Instruction", "階梯圖=>指令", "梯形图=>指令", "ラダー=>命令", "Ladder=>Instrucción",
      "Ladder=>Komut"}},
    {"TryToConnection1",
     {"Try to connection", "嘗試連線", "尝试连接", "接続を試す", "Intentar conexión", "Bağlantıyı dene"}},
    {"ForceBitOnOff1",
     {"Force Bit On/Off", "強制位元 ON/OFF", "强制位 ON/OFF", "ビット強制 ON/OFF", "Forzar bit ON/OFF",
      "Biti zorla ON/OFF"}},
    {"msDeviceUsedList1",
     {"Device &usage list", "元件使用列表(&U)", "元件使用列表(&U)", "デバイス使用一覧(&U)",
      "Lista de &uso de dispositivos", "Cihaz &kullanım listesi"}},
    {"Oscilloscope1", {"Oscilloscope", "示波器", "示波器", "オシロスコープ", "Osciloscopio", "Osiloskop"}},

    // ---- PLC ---------------------------------------------------------------------------------------
    {"RemoteRunStop1",
     {"Remote Run/Stop", "遠端 RUN/STOP", "远程 RUN/STOP", "リモート RUN/STOP", "RUN/STOP remoto",
      "Uzaktan RUN/STOP"}},
    {"Changesettingvalue1",
     {"Change setting value ...", "變更設定值 ...", "更改设定值 ...", "設定値の変更 ...",
      "Cambiar valor de consigna ...", "Ayar değerini değiştir ..."}},
    {"MemoryClear1",
     {"Memory Clear", "記憶體清除", "存储器清除", "メモリクリア", "Borrar memoria", "Belleği temizle"}},
    {"KeywordSetup1",
     {"Keyword setup", "PLC 密碼設定", "PLC 密码设置", "PLC キーワード設定", "Palabra clave del PLC",
      "PLC anahtar sözcüğü"}},
    {"SetupUserId1",
     {"UserID setup", "使用者 ID 設定", "用户 ID 设置", "ユーザー ID 設定", "ID de usuario",
      "Kullanıcı kimliği ayarı"}},
    {"Keyword2Setup1",
     {"Keyword2 setup", "第二密碼設定", "第二密码设置", "キーワード2の設定", "Palabra clave 2",
      "Anahtar sözcük 2 ayarı"}},
    {"HarewareCheck",
     {"HarewareCheck", "硬體檢查", "硬件检查", "ハードウェアチェック", "Comprobación de hardware",
      "Donanım denetimi"}},
    {"InitialControllerMemory1",
     {"InitialControllerMemory", "控制器記憶體初始化", "控制器存储器初始化", "コントローラメモリの初期化",
      "Inicializar memoria del controlador", "Denetleyici belleğini sıfırla"}},
    {"SetRTC1", {"Set RTC", "設定時鐘", "设置时钟", "時計の設定", "Ajustar reloj", "Saati ayarla"}},
    {"Version1", {"Version", "版本", "版本", "バージョン", "Versión", "Sürüm"}},
    {"ControllerStatus1",
     {"Controller status", "控制器狀態", "控制器状态", "コントローラの状態", "Estado del controlador",
      "Denetleyici durumu"}},
    {"SerialSettingD81201",
     {"Serial Setting (D8120)...", "串列通訊設定 (D8120)...", "串行通讯设置 (D8120)...",
      "シリアル通信設定 (D8120)...", "Configuración serie (D8120)...", "Seri iletişim ayarı (D8120)..."}},
    {"RuntimeProgramChanges1",
     {"Runtime program changes...", "運轉中程式變更...", "运行中程序变更...", "RUN 中のプログラム変更...",
      "Cambios de programa en marcha...", "Çalışırken program değişikliği..."}},

    {"ProgramTransfer1",
     {"Program Transfer", "程式傳輸", "程序传送", "プログラム転送", "Transferencia de programa",
      "Program aktarımı"}},
    {"RegisterTransfer1",
     {"Register Transfer", "暫存器傳輸", "寄存器传送", "レジスタ転送", "Transferencia de registros",
      "Yazmaç aktarımı"}},
    {"ParameterTransfer1",
     {"Parameter Transfer", "參數傳輸", "参数传送", "パラメータ転送", "Transferencia de parámetros",
      "Parametre aktarımı"}},
    {"ProgRead", {"Read", "讀取", "读取", "読み出し", "Leer", "Oku"}},
    {"ProgWrite", {"Write", "寫入", "写入", "書き込み", "Escribir", "Yaz"}},
    {"ProgVerify", {"Verify", "比對", "校验", "照合", "Verificar", "Doğrula"}},
    {"ProtocolSetting1",
     {"Protocol setting", "通訊協定設定", "通讯协议设置", "プロトコル設定", "Configuración del protocolo",
      "Protokol ayarı"}},
    {"PlcProtocol1",
     {"PlcProtocol", "PLC 協定", "PLC 协议", "PLC プロトコル", "Protocolo del PLC", "PLC protokolü"}},
    {"cLink1", {"cLink", "cLink", "cLink", "cLink", "cLink", "cLink"}},
    {"ModAsc1", {"ModAsc", "ModAsc", "ModAsc", "ModAsc", "ModAsc", "ModAsc"}},
    {"ModRtu1", {"ModRtu", "ModRtu", "ModRtu", "ModRtu", "ModRtu", "ModRtu"}},
    {"FreeUser1", {"FreeUser", "自由通訊", "自由通讯", "無手順", "Protocolo libre", "Serbest protokol"}},
    {"ChangeCurrentValue2",
     {"Change current value", "變更現在值", "更改当前值", "現在値の変更", "Cambiar valor actual",
      "Güncel değeri değiştir"}},
    {"PcbCheck1",
     {"PcbCheck...", "電路板檢查...", "电路板检查...", "基板チェック...", "Comprobación de placa...",
      "Kart denetimi..."}},
    {"PcbFRAMPid1",
     {"PcbFRAMPid", "PCB FRAM PID", "PCB FRAM PID", "PCB FRAM PID", "PCB FRAM PID", "PCB FRAM PID"}},
    {"PCB1", {"PCB", "電路板", "电路板", "基板", "Placa", "Kart"}},
    {"FRAM1", {"FRAM", "FRAM", "FRAM", "FRAM", "FRAM", "FRAM"}},
    {"ProductId1", {"ProductId", "產品 ID", "产品 ID", "製品 ID", "ID de producto", "Ürün kimliği"}},
    {"Keyword2Delete1",
     {"Keyword2 Delete", "刪除第二密碼", "删除第二密码", "キーワード2の削除", "Borrar palabra clave 2",
      "Anahtar sözcük 2'yi sil"}},

    // ---- Monitor and its pop-up menu -----------------------------------------------------------------
    {"msStartMonitor1",
     {"Start Monitor ...", "開始監控 ...", "开始监控 ...", "モニタ開始 ...", "Iniciar monitorización ...",
      "İzlemeyi başlat ..."}},
    {"msStopMonitor1",
     {"Stop Monitor", "停止監控", "停止监控", "モニタ停止", "Detener monitorización", "İzlemeyi durdur"}},
    {"EnterDeviceMonitor1",
     {"Enter device monitor", "登錄監控元件", "登录监控元件", "デバイス登録モニタ", "Monitor de dispositivos",
      "Cihaz izleme"}},
    {"EntryDeviceMonitor1",
     {"Entry device monitor", "登錄元件監控", "登录元件监控", "登録デバイスモニタ",
      "Monitor de dispositivos registrados", "Kayıtlı cihaz izleme"}},
    {"AxisMonitor1", {"Axis Monitor", "軸監控", "轴监控", "軸モニタ", "Monitor de ejes", "Eksen izleme"}},
    {"Popup4StopMonitor",
     {"Stop monitor", "停止監控", "停止监控", "モニタ停止", "Detener monitorización", "İzlemeyi durdur"}},
    {"Popup4DeviceSearch",
     {"DeviceSearch", "元件搜尋", "元件搜索", "デバイス検索", "Buscar dispositivo", "Cihaz ara"}},
    {"Popup4ForceONOFF",
     {"Force ON/OFF", "強制 ON/OFF", "强制 ON/OFF", "強制 ON/OFF", "Forzar ON/OFF", "Zorla ON/OFF"}},
    {"Popup4ChangeValue",
     {"Change value", "變更數值", "更改数值", "値の変更", "Cambiar valor", "Değeri değiştir"}},
    {"DregView1",
     {"Dreg view ...", "D 暫存器檢視 ...", "D 寄存器视图 ...", "D レジスタ表示 ...",
      "Vista de registros D ...", "D yazmaç görünümü ..."}},

    // ---- Tools -------------------------------------------------------------------------------------
    {"Convert4", {"Convert", "轉換", "转换", "変換", "Convertir", "Dönüştür"}},
    {"FlowChart1", {"FlowChart", "流程圖", "流程图", "フローチャート", "Diagrama de flujo", "Akış şeması"}},
    {"MoreView1",
     {"More view ...", "更多檢視 ...", "更多视图 ...", "その他の表示 ...", "Más vistas ...",
      "Diğer görünümler ..."}},

    // ---- Option ------------------------------------------------------------------------------------
    {"SystemSetting1",
     {"System setting ...", "系統設定 ...", "系统设置 ...", "システム設定 ...",
      "Configuración del sistema ...", "Sistem ayarları ..."}},
    {"ParameterSetting1",
     {"Parameter setting ...", "參數設定 ...", "参数设置 ...", "パラメータ設定 ...",
      "Configuración de parámetros ...", "Parametre ayarları ..."}},
    {"Programcheck1",
     {"Program check ...", "程式檢查 ...", "程序检查 ...", "プログラムチェック ...",
      "Comprobación del programa ...", "Program denetimi ..."}},
    {"PlcTypeChange1",
     {"Type change ...", "機型變更 ...", "机型变更 ...", "機種変更 ...", "Cambiar tipo de PLC ...",
      "PLC türünü değiştir ..."}},
    {"ChangeComPort1",
     {"ChangeComPort...", "變更通訊埠...", "更改通讯端口...", "通信ポートの変更...", "Cambiar puerto COM...",
      "COM portunu değiştir..."}},
    {"TimeOutTimer1",
     {"Time out timer ...", "通訊逾時設定 ...", "通讯超时设置 ...", "通信タイムアウト設定 ...",
      "Tiempo de espera de comunicación ...", "Zaman aşımı süresi ..."}},
    {"ConnectionTest1",
     {"Connection test", "連線測試", "连接测试", "接続テスト", "Prueba de conexión", "Bağlantı testi"}},
    {"ErrorCheck1",
     {"Error Check", "錯誤檢查", "错误检查", "エラーチェック", "Comprobación de errores", "Hata denetimi"}},
    {"KoSeries1", {"KoSeries", "Ko 系列", "Ko 系列", "Ko シリーズ", "Serie Ko", "Ko serisi"}},
    {"Wseries2", {"Wseries", "W 系列", "W 系列", "W シリーズ", "Serie W", "W serisi"}},
    {"Diagnostics1", {"Diagnostics", "診斷", "诊断", "診断", "Diagnóstico", "Tanılama"}},
    {"MachineStatus1",
     {"Machine Status ...", "機器狀態 ...", "机器状态 ...", "機器の状態 ...", "Estado de la máquina ...",
      "Makine durumu ..."}},
    {"KeywordSetting1",
     {"Keyword setting ...", "程式密碼設定 ...", "程序密码设置 ...", "プログラムのキーワード設定 ...",
      "Palabra clave del programa ...", "Program anahtar sözcüğü ..."}},

    // ---- Wizard ------------------------------------------------------------------------------------
    {"AxisControl1", {"Axis Control", "軸控制", "轴控制", "軸制御", "Control de ejes", "Eksen kontrolü"}},
    {"IncrementControl1",
     {"Increment Control", "增量控制", "增量控制", "インクリメンタル制御", "Control incremental",
      "Artımsal kontrol"}},
    {"AbsoluteControl1",
     {"Absolute Control", "絕對控制", "绝对控制", "アブソリュート制御", "Control absoluto",
      "Mutlak kontrol"}},
    {"Increment1", {"Increment", "增量", "增量", "インクリメンタル", "Incremental", "Artımsal"}},
    {"Absolute1", {"Absolute", "絕對", "绝对", "アブソリュート", "Absoluto", "Mutlak"}},

    // ---- Language: each language by its own name, the same in every language -----------------------
    {"English1", {"English", "English", "English", "English", "English", "English"}},
    {"TraditionalChinese1", {"繁體中文", "繁體中文", "繁體中文", "繁體中文", "繁體中文", "繁體中文"}},
    {"SimplifiedChinese1", {"简体中文", "简体中文", "简体中文", "简体中文", "简体中文", "简体中文"}},
    {"JapaneseLanguage1", {"日本語", "日本語", "日本語", "日本語", "日本語", "日本語"}},
    {"Spanish1", {"Español", "Español", "Español", "Español", "Español", "Español"}},
    {"Turkish1", {"Türkçe", "Türkçe", "Türkçe", "Türkçe", "Türkçe", "Türkçe"}},

    // ---- Help --------------------------------------------------------------------------------------
    {"ScreenResolution1",
     {"Screen resolution", "螢幕解析度", "屏幕分辨率", "画面の解像度", "Resolución de pantalla",
      "Ekran çözünürlüğü"}},
    {"About1",
     {"&About...", "關於(&A)...", "关于(&A)...", "バージョン情報(&A)...", "&Acerca de...", "&Hakkında..."}},
    {"AboutCaption", {"About", "關於", "关于", "バージョン情報", "Acerca de", "Hakkında"}},
    {"AboutPurpose",
     {"Programming and service tool for the PLCs of the Ko and W series",
      "Ko 及 W 系列 PLC 的程式編輯與維護工具", "Ko 及 W 系列 PLC 的编程与维护工具",
      "Ko シリーズ・W シリーズ PLC のプログラミング・保守ツール",
      "Herramienta de programación y mantenimiento para los PLC de las series Ko y W",
      "Ko ve W serisi PLC'ler için programlama ve bakım aracı"}},
    {"AboutMaker",
     {"Made by Tovel", "Tovel 製作", "Tovel 制作", "製造元: Tovel", "Desarrollado por Tovel",
      "Üretici: Tovel"}},
    {"AboutOk", {"OK", "確定", "确定", "OK", "Aceptar", "Tamam"}},
    // The second brand's about box (TAboutMarboForm), the time and disk items.
    {"AboutMarboMaker",
     {"Made by Marbo", "Marbo 製作", "Marbo 制作", "製造元: Marbo", "Fabricado por Marbo", "Üretici: Marbo"}},
    {"Time1", {"Time", "時間", "时间", "時刻", "Hora", "Saat"}},
    {"Disk1", {"Disk", "磁碟", "磁盘", "ディスク", "Disco", "Disk"}},
    {"TimePc", {"PC: %1", "電腦: %1", "电脑: %1", "PC: %1", "PC: %1", "PC: %1"}},
    {"TimePlc",
     {"PLC: %1 (read at %2)", "PLC: %1 (於 %2 讀取)", "PLC: %1 (于 %2 读取)", "PLC: %1 (%2 に読み出し)",
      "PLC: %1 (leído a las %2)", "PLC: %1 (%2 itibarıyla okundu)"}},
    {"WeekdaySunday", {"Sunday", "星期日", "星期日", "日曜日", "domingo", "Pazar"}},
    {"WeekdayMonday", {"Monday", "星期一", "星期一", "月曜日", "lunes", "Pazartesi"}},
    {"WeekdayTuesday", {"Tuesday", "星期二", "星期二", "火曜日", "martes", "Salı"}},
    {"WeekdayWednesday", {"Wednesday", "星期三", "星期三", "水曜日", "miércoles", "Çarşamba"}},
    {"WeekdayThursday", {"Thursday", "星期四", "星期四", "木曜日", "jueves", "Perşembe"}},
    {"WeekdayFriday", {"Friday", "星期五", "星期五", "金曜日", "viernes", "Cuma"}},
    {"WeekdaySaturday", {"Saturday", "星期六", "星期六", "土曜日", "sábado", "Cumartesi"}},
    {"DiskFolder",
     {"Installation folder: %1", "安裝資料夾: %1", "安装文件夹: %1", "インストールフォルダ: %1",
      "Carpeta de instalación: %1", "Kurulum klasörü: %1"}},
    {"DiskMountPoint",
     {"Mount point: %1", "掛載點: %1", "挂载点: %1", "マウントポイント: %1", "Punto de montaje: %1",
      "Bağlama noktası: %1"}},
    {"DiskFileSystem",
     {"File system: %1", "檔案系統: %1", "文件系统: %1", "ファイルシステム: %1", "Sistema de archivos: %1",
      "Dosya sistemi: %1"}},
    {"DiskSize", {"Size: %1", "大小: %1", "大小: %1", "容量: %1", "Tamaño: %1", "Boyut: %1"}},
    {"DiskFree",
     {"Free: %1 (%2 %)", "可用空間: %1 (%2 %)", "可用空间: %1 (%2 %)", "空き容量: %1 (%2 %)",
      "Libre: %1 (%2 %)", "Boş: %1 (%%2)"}},
    {"DiskUnknown",
     {"The file system of the installation folder could not be read.", "無法讀取安裝資料夾的檔案系統。",
      "无法读取安装文件夹的文件系统。", "インストールフォルダのファイルシステムを読み取れませんでした。",
      "No se pudo leer el sistema de archivos de la carpeta de instalación.",
      "Kurulum klasörünün dosya sistemi okunamadı."}},

    // ---- The common messages -----------------------------------------------------------------------
    {"getMsgSaveBeforeClose",
     {"Do you want to save current file before close ?", "關閉前要儲存目前的檔案嗎？",
      "关闭前要保存当前的文件吗？", "閉じる前に現在のファイルを保存しますか？",
      "¿Desea guardar el archivo actual antes de cerrar?",
      "Kapatmadan önce geçerli dosyayı kaydetmek istiyor musunuz?"}},
    {"getMsgSaveBeforeExit",
     {"Do you want to save current file before exit ?", "結束前要儲存目前的檔案嗎？",
      "退出前要保存当前的文件吗？", "終了する前に現在のファイルを保存しますか？",
      "¿Desea guardar el archivo actual antes de salir?",
      "Çıkmadan önce geçerli dosyayı kaydetmek istiyor musunuz?"}},
    {"getMsgFileExistsOverwrite",
     {"This file has existed, do you want to overwrite ?", "此檔案已存在，要覆蓋嗎？",
      "此文件已存在，要覆盖吗？", "このファイルは既に存在します。上書きしますか？",
      "Este archivo ya existe. ¿Desea sobrescribirlo?",
      "Bu dosya zaten var. Üzerine yazmak istiyor musunuz?"}},
    {"DataFolderNotWritten",
     {"The examples shipped with the program are not written over: save under another name.",
      "程式附帶的範例不可覆寫：請以其他名稱儲存。", "程序附带的示例不可覆盖：请以其他名称保存。",
      "プログラム付属のサンプルは上書きできません。別の名前で保存してください。",
      "Los ejemplos incluidos con el programa no se sobrescriben: guarde con otro nombre.",
      "Programla gelen örneklerin üzerine yazılmaz: başka bir adla kaydedin."}},
    // A new name in that folder: nothing is written over, and nothing is added either.
    {"DataFolderNotAdded",
     {"Nothing is saved into the folder of the examples shipped with the program: save in another folder.",
      "不可將檔案儲存到程式附帶範例的資料夾：請儲存到其他資料夾。",
      "不可将文件保存到程序附带示例的文件夹：请保存到其他文件夹。",
      "プログラム付属のサンプルのフォルダには保存できません。別のフォルダに保存してください。",
      "No se guarda nada en la carpeta de los ejemplos incluidos con el programa: guarde en otra carpeta.",
      "Programla gelen örneklerin klasörüne hiçbir şey kaydedilmez: başka bir klasöre kaydedin."}},
    // English and the two Chinese languages only: the others show the English text.
    {"getMsgDeviceTooMuch",
     {"Device too much error ... ", "元件數量過多錯誤 ... ", "元件数量过多错误 ... ", nullptr, nullptr,
      nullptr}},
    {"getMsgInstructionCodeError",
     {"InstructionCodeError", "指令碼錯誤", "指令码错误", "命令コードエラー",
      "Error de código de instrucción", "Komut kodu hatası"}},
    {"getMsgCommTest",
     {"Communication Test...Try Connection Information", "通訊測試...嘗試連線資訊", "通讯测试...尝试连接信息",
      "通信テスト - 接続確認", "Prueba de comunicación - Resultado de la conexión",
      "İletişim testi - Bağlantı sonucu"}},
    {"getMsgCantConnect",
     {"Can't connected with the device", "無法與裝置連線", "无法与设备连接", "機器と接続できません",
      "No se puede conectar con el dispositivo", "Cihazla bağlantı kurulamadı"}},
    {"getMsgConnected",
     {"Successfully connected with the ", "連線成功 ", "连接成功 ", "接続しました ",
      "Conectado correctamente ", "Bağlantı kuruldu "}},
    {"getMsgCommError",
     {"Communication error ... ", "通訊錯誤 ... ", "通讯错误 ... ", "通信エラー ... ",
      "Error de comunicación ... ", "İletişim hatası ... "}},
    {"getMsgTypeErrorCantWrite",
     {"Type error, Can't write...", "機型錯誤，無法寫入...", "机型错误，无法写入...",
      "機種エラー、書き込めません...", "Error de tipo, no se puede escribir...",
      "Tür hatası, yazılamıyor..."}},
    {"getMsgKeyword2Confirm",
     {"Once keyword2 be set then can read 128steps program only ?",
      "設定第二密碼後，只能讀取 128 步的程式，確定嗎？", "设置第二密码后，只能读取 128 步的程序，确定吗？",
      "キーワード2を設定すると、読み出せるのはプログラムの 128 ステップだけになります。よろしいですか？",
      "Con la palabra clave 2 solo podrán leerse 128 pasos del programa. ¿Continuar?",
      "Anahtar sözcük 2 ayarlanınca programın yalnızca 128 adımı okunabilir. Devam edilsin mi?"}},
    {"getMsgCantSetKeyword2",
     {"Type error, can't setup 2nd keyword(W3 only)", "機型錯誤，無法設定第二密碼（僅限 W3）",
      "机型错误，无法设置第二密码（仅限 W3）", "機種エラー、キーワード2を設定できません(W3 のみ)",
      "Error de tipo, no se puede configurar la palabra clave 2 (solo W3)",
      "Tür hatası, anahtar sözcük 2 ayarlanamıyor (yalnızca W3)"}},
    {"getMsgKeyword2SetupOk",
     {"Keyword2 setup successful... Delete method: online => Memory clear => Program clear",
      "第二密碼設定完成... 刪除方法：線上 => 記憶體清除 => 程式清除",
      "第二密码设置完成... 删除方法：在线 => 存储器清除 => 程序清除",
      "キーワード2の設定が完了しました... 削除方法: オンライン => メモリクリア => プログラムクリア",
      "Palabra clave 2 configurada... Para borrarla: en línea => Borrar memoria => Borrar programa",
      "Anahtar sözcük 2 ayarlandı... Silmek için: çevrimiçi => Belleği temizle => Programı temizle"}},
    {"getMsgKeyword2SetupFailed",
     {"Keyword2 setup ...unsucessful...", "第二密碼設定...失敗...", "第二密码设置...失败...",
      "キーワード2の設定...失敗しました...", "Configuración de la palabra clave 2 ...fallida...",
      "Anahtar sözcük 2 ayarı ...başarısız..."}},

    // ---- The link's own questions and messages: what a command does to the PLC's protection and
    // memory, and the entries it refuses. "%1" stands for the text or device named.
    {"getMsgWriteRemovesKeyword",
     {"The PLC is protected with a keyword, and the program to write has none: the write removes the "
      "PLC's keyword and leaves the PLC unprotected. Write the program?",
      "PLC 已設定密碼，而要寫入的程式沒有密碼：寫入會清除 PLC 的密碼，PLC 將不再受到保護。要寫入程式嗎？",
      "PLC 已设置密码，而要写入的程序没有密码：写入会清除 PLC 的密码，PLC 将不再受到保护。要写入程序吗？",
      "PLC にはキーワードが設定されていますが、書き込むプログラムにはキーワードがありません。書き込むと "
      "PLC のキーワードが消去され、PLC は保護されなくなります。プログラムを書き込みますか？",
      "El PLC está protegido con una palabra clave y el programa que se va a escribir no tiene ninguna: la "
      "escritura borra la palabra clave del PLC y lo deja sin protección. ¿Escribir el programa?",
      "PLC bir anahtar sözcükle korunuyor, yazılacak programın ise anahtar sözcüğü yok: yazma işlemi "
      "PLC'nin anahtar sözcüğünü siler ve PLC korumasız kalır. Program yazılsın mı?"}},
    {"getMsgWriteReplacesKeyword",
     {"The program to write has a keyword other than the PLC's: the write replaces the PLC's keyword "
      "with the program's, and from then on the PLC asks for the program's keyword. Write the program?",
      "要寫入的程式密碼與 PLC 的密碼不同：寫入會以程式的密碼取代 PLC 的密碼，之後 PLC "
      "只接受程式的密碼。要寫入程式嗎？",
      "要写入的程序密码与 PLC 的密码不同：写入会以程序的密码取代 PLC 的密码，之后 PLC "
      "只接受程序的密码。要写入程序吗？",
      "書き込むプログラムのキーワードは PLC のキーワードと異なります。書き込むと PLC "
      "のキーワードがプログラムのキーワードに置き換わり、以後 PLC "
      "にはプログラムのキーワードが必要になります。プログラムを書き込みますか？",
      "El programa que se va a escribir tiene una palabra clave distinta de la del PLC: la escritura "
      "sustituye la palabra clave del PLC por la del programa, que será la que el PLC pida desde "
      "entonces. ¿Escribir el programa?",
      "Yazılacak programın anahtar sözcüğü PLC'ninkinden farklı: yazma işlemi PLC'nin anahtar "
      "sözcüğünü programınkiyle değiştirir ve PLC bundan sonra programın anahtar sözcüğünü ister. "
      "Program yazılsın mı?"}},
    {"getMsgWriteSetsKeyword",
     {"The PLC has no keyword, and the program to write has one: the write protects the PLC with the "
      "program's keyword. Write the program?",
      "PLC 未設定密碼，而要寫入的程式有密碼：寫入會以程式的密碼保護 PLC。要寫入程式嗎？",
      "PLC 未设置密码，而要写入的程序有密码：写入会以程序的密码保护 PLC。要写入程序吗？",
      "PLC にはキーワードが設定されていませんが、書き込むプログラムにはキーワードがあります。書き込むと "
      "PLC はプログラムのキーワードで保護されます。プログラムを書き込みますか？",
      "El PLC no tiene palabra clave y el programa que se va a escribir sí: la escritura protege el PLC "
      "con la palabra clave del programa. ¿Escribir el programa?",
      "PLC'nin anahtar sözcüğü yok, yazılacak programın ise var: yazma işlemi PLC'yi programın anahtar "
      "sözcüğüyle korur. Program yazılsın mı?"}},
    {"getMsgProgramMayBeIncomplete",
     {"The PLC stays in STOP: its program may be incomplete", "PLC 維持在 STOP 狀態：其程式可能不完整",
      "PLC 保持在 STOP 状态：其程序可能不完整",
      "PLC は STOP のままです。プログラムが不完全な可能性があります",
      "El PLC permanece en STOP: su programa puede estar incompleto",
      "PLC STOP durumunda kalıyor: programı eksik olabilir"}},
    {"getMsgRegistersMayBeIncomplete",
     {"The PLC stays in STOP: its registers may be incomplete", "PLC 維持在 STOP 狀態：其暫存器可能不完整",
      "PLC 保持在 STOP 状态：其寄存器可能不完整",
      "PLC は STOP のままです。レジスタが不完全な可能性があります",
      "El PLC permanece en STOP: sus registros pueden estar incompletos",
      "PLC STOP durumunda kalıyor: yazmaçları eksik olabilir"}},
    {"getMsgMemoryClearConfirm",
     {"Memory Clear erases the checked memories of the PLC for good; a PLC in RUN is switched to STOP "
      "first. Clear the PLC's memory?",
      "記憶體清除會永久清除 PLC 中勾選的記憶體；PLC 若在 RUN 狀態，會先切換為 STOP。要清除 PLC "
      "的記憶體嗎？",
      "存储器清除会永久清除 PLC 中勾选的存储器；PLC 若处于 RUN 状态，会先切换为 STOP。要清除 PLC "
      "的存储器吗？",
      "メモリクリアは PLC のチェックしたメモリを完全に消去します。RUN 中の PLC は先に STOP "
      "に切り替えます。PLC のメモリをクリアしますか？",
      "Borrar memoria elimina para siempre las memorias marcadas del PLC; un PLC en RUN pasa antes a "
      "STOP. ¿Borrar la memoria del PLC?",
      "Bellek temizleme, PLC'nin işaretli belleklerini kalıcı olarak siler; RUN durumundaki PLC önce "
      "STOP'a alınır. PLC'nin belleği temizlensin mi?"}},
    {"getMsgMemoryClearFailed",
     {"Memory Clear failed: the PLC did not confirm the clear. Its memory may be partly cleared.",
      "記憶體清除失敗：PLC 未確認清除。其記憶體可能只清除了一部分。",
      "存储器清除失败：PLC 未确认清除。其存储器可能只清除了一部分。",
      "メモリクリアに失敗しました。PLC がクリアを確認しませんでした。メモリは一部だけ消去されている可能性が"
      "あります。",
      "No se pudo borrar la memoria: el PLC no confirmó el borrado. Su memoria puede haber quedado borrada "
      "en parte.",
      "Bellek temizlenemedi: PLC temizlemeyi onaylamadı. Belleği kısmen temizlenmiş olabilir."}},
    {"getMsgMemoryClearNotStopped",
     {"Memory Clear stopped: the PLC did not confirm the switch to STOP. Nothing was cleared.",
      "記憶體清除中止：PLC 未確認切換為 STOP。未清除任何記憶體。",
      "存储器清除中止：PLC 未确认切换为 STOP。未清除任何存储器。",
      "メモリクリアを中止しました。PLC が STOP への切り替えを確認しませんでした。何も消去されていません。",
      "Borrado de memoria detenido: el PLC no confirmó el paso a STOP. No se ha borrado nada.",
      "Bellek temizleme durduruldu: PLC STOP'a geçişi onaylamadı. Hiçbir şey silinmedi."}},
    {"getMsgLinkBusy",
     {"The PLC link is busy with another request", "PLC 連線正在處理另一個要求", "PLC 连接正在处理另一个请求",
      "PLC との通信は別の要求を処理中です", "El enlace con el PLC está ocupado con otra petición",
      "PLC bağlantısı başka bir istekle meşgul"}},
    {"getMsgWSeriesOnly",
     {"This function is for the W series only", "此功能僅適用於 W 系列", "此功能仅适用于 W 系列",
      "この機能は W シリーズ専用です", "Esta función es solo para la serie W",
      "Bu işlev yalnızca W serisi içindir"}},
    {"getMsgStopMonitorFirst",
     {"In monitor mode...Stop the monitor first...", "監控模式中...請先停止監控...",
      "监控模式中...请先停止监控...", "モニタ中です...先にモニタを停止してください...",
      "En modo de monitorización...Detenga primero la monitorización...",
      "İzleme modunda...Önce izlemeyi durdurun..."}},
    {"getMsgProductIdRange",
     {"Product ID must be 0 ~ 99999999 (8 digits)", "產品序號必須為 0 ~ 99999999 (8 位數)",
      "产品序号必须为 0 ~ 99999999 (8 位数)", "製品 ID は 0 ~ 99999999 (8 桁) で指定してください",
      "El ID de producto debe estar entre 0 y 99999999 (8 cifras)",
      "Ürün kimliği 0 ~ 99999999 (8 hane) arasında olmalıdır"}},
    {"getMsgAddressRange",
     {"Address must be H0000 ~ HFFFF", "位址必須為 H0000 ~ HFFFF", "地址必须为 H0000 ~ HFFFF",
      "アドレスは H0000 ~ HFFFF で指定してください", "La dirección debe estar entre H0000 y HFFFF",
      "Adres H0000 ~ HFFFF arasında olmalıdır"}},
    {"getMsgByteCountRange",
     {"Byte count must be 0 ~ 255", "位元組數必須為 0 ~ 255", "字节数必须为 0 ~ 255",
      "バイト数は 0 ~ 255 で指定してください", "El número de bytes debe estar entre 0 y 255",
      "Bayt sayısı 0 ~ 255 arasında olmalıdır"}},
    {"getMsgDataRange",
     {"Data must be H0000 ~ HFFFF or K-32768 ~ K65535", "資料必須為 H0000 ~ HFFFF 或 K-32768 ~ K65535",
      "数据必须为 H0000 ~ HFFFF 或 K-32768 ~ K65535",
      "データは H0000 ~ HFFFF または K-32768 ~ K65535 で指定してください",
      "El dato debe estar entre H0000 y HFFFF o entre K-32768 y K65535",
      "Veri H0000 ~ HFFFF ya da K-32768 ~ K65535 arasında olmalıdır"}},
    {"getMsgNotHexNumber",
     {"'%1' is not a hexadecimal number", "「%1」不是十六進位數", "“%1”不是十六进制数",
      "「%1」は 16 進数ではありません", "'%1' no es un número hexadecimal", "'%1' onaltılık bir sayı değil"}},
    {"getMsgNotInteger",
     {"'%1' is not a valid integer value", "「%1」不是有效的整數", "“%1”不是有效的整数",
      "「%1」は有効な整数ではありません", "'%1' no es un número entero válido",
      "'%1' geçerli bir tam sayı değil"}},
    {"getMsgBeyondDeviceUsage",
     {"Device %1 is beyond the device usage list", "元件 %1 超出元件使用表的範圍",
      "元件 %1 超出元件使用表的范围", "デバイス %1 はデバイス使用リストの範囲外です",
      "El dispositivo %1 está fuera de la lista de uso de dispositivos",
      "%1 cihazı cihaz kullanım listesinin dışında"}},
    {"getMsgWriteRangeTooLarge",
     {"The range to write (%1 steps) does not fit the PLC's memory size (%2 steps): nothing was written, the "
      "PLC was not stopped",
      "要寫入的範圍（%1 步）超出 PLC 的記憶體容量（%2 步）：未寫入任何內容，PLC 未停止",
      "要写入的范围（%1 步）超出 PLC 的存储器容量（%2 步）：未写入任何内容，PLC 未停止",
      "書き込む範囲（%1 ステップ）が PLC のメモリ容量（%2 ステップ）を超えています。何も書き込まず、PLC "
      "は停止していません",
      "El rango a escribir (%1 pasos) no cabe en la memoria del PLC (%2 pasos): no se escribió nada y el "
      "PLC no se detuvo",
      "Yazılacak aralık (%1 adım) PLC'nin bellek boyutuna (%2 adım) sığmıyor: hiçbir şey yazılmadı, PLC "
      "durdurulmadı"}},
    {"getMsgMemorySizeNotOfType",
     {"The controller's memory size N=%1 does not fit PLC type %2; nothing was read",
      "控制器的記憶體容量 N=%1 不符合 PLC 機型 %2；未讀取任何內容",
      "控制器的存储器容量 N=%1 不符合 PLC 机型 %2；未读取任何内容",
      "コントローラのメモリ容量 N=%1 は PLC 機種 %2 に合いません。何も読み込んでいません",
      "El tamaño de memoria del controlador N=%1 no corresponde al tipo de PLC %2; no se leyó nada",
      "Denetleyicinin bellek boyutu N=%1, PLC tipi %2 ile uyuşmuyor; hiçbir şey okunmadı"}},
};

// Rows that show the same caption as another row.
constexpr std::pair<std::string_view, std::string_view> kSameText[] = {
    {"TryToConnection2", "TryToConnection1"},
    {"AxisControl2", "AxisControl1"},
    {"RegRead", "ProgRead"},
    {"RegWrite", "ProgWrite"},
    {"RegVerify", "ProgVerify"},
    {"parameterRead1", "ProgRead"},
    {"ParameterWrite1", "ProgWrite"},
    {"ParameterVerify1", "ProgVerify"},
    {"ChangeCurrentValue1", "ChangeCurrentValue2"},
};

// The menus and messages first, then the texts of the windows: tool bars, status bar and dialogs.
const std::vector<TextEntry>& allTexts() {
    static const std::vector<TextEntry> all = [] {
        std::vector<TextEntry> joined(std::begin(kTexts), std::end(kTexts));
        for (const std::span<const TextEntry> more : {windowTextTable(), statusPhraseTable()})
            joined.insert(joined.end(), more.begin(), more.end());
        return joined;
    }();
    return all;
}

const std::map<std::string_view, const TextEntry*>& textIndex() {
    static const std::map<std::string_view, const TextEntry*> index = [] {
        std::map<std::string_view, const TextEntry*> built;
        for (const TextEntry& entry : allTexts()) built.emplace(entry.id, &entry);
        for (const auto& [id, same] : kSameText) built.emplace(id, built.at(same));
        return built;
    }();
    return index;
}

}  // namespace

std::span<const TextEntry> textTable() {
    return allTexts();
}

const TextEntry* findText(std::string_view id) {
    const auto found = textIndex().find(id);
    return found != textIndex().end() ? found->second : nullptr;
}

std::string textOf(std::string_view id, Language language) {
    const TextEntry* entry = findText(id);
    if (entry == nullptr) return std::string(id);
    const char* text = entry->text[static_cast<std::size_t>(language)];
    return text != nullptr ? text : entry->text[0];
}

std::string textOf(std::string_view id) {
    return textOf(id, currentLanguage());
}

std::string textWith(std::string_view id, std::initializer_list<std::string> values) {
    const std::string text = textOf(id);
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t n =
            at + 1 < text.size() ? static_cast<std::size_t>(text[at + 1] - '1') : values.size();
        if (text[at] == '%' && n < values.size()) {
            out += *(values.begin() + n);
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

std::string translated(std::string_view english, Language language) {
    static const std::map<std::string_view, const TextEntry*> byEnglish = [] {
        std::map<std::string_view, const TextEntry*> built;
        for (const TextEntry& entry : windowTextTable()) built.emplace(entry.text[0], &entry);
        return built;
    }();
    const auto found = byEnglish.find(english);
    return found != byEnglish.end() ? textOf(found->second->id, language) : std::string(english);
}

std::string_view captionId(const MenuRow& row) {
    return *row.options.textId != '\0' ? row.options.textId : row.objectName;
}

std::string menuCaption(const MenuRow& row, Language language) {
    return findText(captionId(row)) != nullptr ? textOf(captionId(row), language) : row.caption;
}

std::string withoutAccessKey(std::string_view caption) {
    std::string plain(caption);
    // "檔案(&F)": the key in brackets after the word goes with its brackets.
    if (const std::size_t open = plain.find("(&");
        open != std::string::npos && open + 3 < plain.size() && plain[open + 3] == ')')
        plain.erase(open, 4);
    std::string out;
    for (std::size_t at = 0; at < plain.size(); ++at) {
        if (plain[at] == '&' && at + 1 < plain.size()) ++at;  // "&&" stands for one '&'
        out += plain[at];
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
    return out;
}

std::string statusText(std::string_view text, Language language) {
    if (language == Language::English) return std::string(text);
    // A text is known by the phrase it starts with; a file name or a value that merely holds a
    // phrase stays as it is.
    const auto starting =
        std::find_if(statusPhraseTable().begin(), statusPhraseTable().end(), [text](const TextEntry& entry) {
            return entry.text[0][0] != ' ' && text.starts_with(entry.text[0]);
        });
    if (starting == statusPhraseTable().end()) return std::string(text);
    std::string rest(text.substr(std::string_view(starting->text[0]).size()));
    // The phrases that join two values ("COM1 and setting baudrate to 9600").
    for (const TextEntry& entry : statusPhraseTable()) {
        const std::string_view english = entry.text[0];
        if (english[0] != ' ') continue;
        const std::string joined = textOf(entry.id, language);
        for (std::size_t at = rest.find(english); at != std::string::npos;
             at = rest.find(english, at + joined.size()))
            rest.replace(at, english.size(), joined);
    }
    return textOf(starting->id, language) + rest;
}

}  // namespace kestrion
