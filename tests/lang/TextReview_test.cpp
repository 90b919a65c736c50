// The texts a native-speaking technician's review found wrong in meaning or in term, as the review
// gives them in each language: the contact column, the instruction box, the communication time-out,
// registering devices in Turkish, the PLC's status in Japanese, the connection test's result.
#include <gtest/gtest.h>

#include <array>

#include "app/ToolButtons.h"
#include "lang/Texts.h"

namespace kestrion {
namespace {

using Row = std::array<const char*, 6>;  // English, 繁體中文, 简体中文, 日本語, Español, Türkçe

TEST(TextReviewTest, TheTextsOfWrongMeaningSayWhatTheWindowsDo) {
    const std::pair<const char*, Row> cases[] = {
        {"MonConnect", {"Connect", "接點", "触点", "接点", "Contacto", "Kontak"}},
        {"InputDeviceCaption",
         {"InputDevice", "指令輸入", "指令输入", "命令入力", "Introducir instrucción", "Komut girişi"}},
        {"TimeOutTimer1",
         {"Time out timer ...", "通訊逾時設定 ...", "通讯超时设置 ...", "通信タイムアウト設定 ...",
          "Tiempo de espera de comunicación ...", "Zaman aşımı süresi ..."}},
        {"RegisterDeviceRegister", {"Register", "登錄", "登录", "登録", "Registrar", "Ekle"}},
        {"MonRegisterDevices",
         {"Register devices", "登錄元件", "登录元件", "デバイス登録", "Registrar dispositivos",
          "Cihaz ekle"}},
        {"MachineStatus1",
         {"Machine Status ...", "機器狀態 ...", "机器状态 ...", "機器の状態 ...", "Estado de la máquina ...",
          "Makine durumu ..."}},
        {"DiagMachineInfo",
         {" Machine Information", "機器資訊", "机器信息", "機器情報", "Información de la máquina",
          "Makine bilgileri"}},
        {"getMsgCommTest",
         {"Communication Test...Try Connection Information", "通訊測試...嘗試連線資訊",
          "通讯测试...尝试连接信息", "通信テスト - 接続確認",
          "Prueba de comunicación - Resultado de la conexión", "İletişim testi - Bağlantı sonucu"}},
    };
    for (const auto& [id, row] : cases)
        for (std::size_t language = 0; language < row.size(); ++language)
            EXPECT_EQ(textOf(id, static_cast<Language>(language)), row[language]) << id << " " << language;
}

// Short words on the tool buttons in every language: the Spanish and Turkish bars were two to two
// and a half times as long as the English one.
TEST(TextReviewTest, ToolButtonsShowShortWordsInEveryLanguage) {
    const std::pair<const char*, Row> cases[] = {
        {"spbtnNew", {"New", "新增", "新建", "新規", "Nuevo", "Yeni"}},
        {"spbtnEntryDeviceMonitor",
         {"Entry", "元件監控", "元件监控", "デバイス", "Dispositivos", "Cihazlar"}},
        {"spbtnStopMonitor1", {"Stop monitor", "停止監控", "停止监控", "モニタ停止", "Detener", "Durdur"}},
        {"spbtnErrorCheck", {"Error check", "錯誤檢查", "错误检查", "エラー", "Errores", "Hatalar"}},
    };
    for (const auto& [name, row] : cases) {
        const ToolButtonRow* button = nullptr;
        for (const ToolButtonRow& r : toolButtonRows())
            if (std::string_view(r.objectName) == name) button = &r;
        ASSERT_NE(button, nullptr) << name;
        for (std::size_t language = 0; language < row.size(); ++language)
            EXPECT_EQ(toolButtonCaption(*button, static_cast<Language>(language)), row[language]) << name;
    }
    for (const ToolButtonRow& button : toolButtonRows())
        for (std::size_t language = 0; language < 6; ++language)
            EXPECT_LE(toolButtonCaption(button, static_cast<Language>(language)).size(), 15u)
                << button.objectName << " " << language;
}

}  // namespace
}  // namespace kestrion
