#include "SseCode.h"

#include <array>
#include <cstdio>

namespace {

struct SseMessage {
  SseCode code;
  bool refuses;
  const char* english;
  const char* chinese;
  const char* action;
};

// In code order, SSE 01 first. "<cell>" stands for the cell's name.
const std::array<SseMessage, 27> kMessages = {{
    {SseCode::SelfSignedKeyInvalid, true, "Self Signed Key is invalid", "自签名密钥无效。",
     "这是数据服务商一方的错误，请联系数据供应商。"},
    {SseCode::SelfSignedKeyFormat, true, "Format of Self Signed Key file is incorrect", "自签名密钥文件格式不正确。",
     "这是数据服务商一方的错误，请联系数据供应商。"},
    {SseCode::ServerCertificateInvalid, true, "SA Signed Data Server Certificate is invalid",
     "经方案管理者签署的数据服务商证书无效。", "请联系数据供应商获取有效的证书。"},
    {SseCode::ServerCertificateFormat, true, "Format of SA Signed DS Certificate is incorrect",
     "经方案管理者签署的数据服务商证书格式不正确。", "该海图未加载，请联系数据供应商重新获取。"},
    {SseCode::SchemeCertificateMissing, true,
     "SA Digital Certificate (X509) file is not available. A valid certificate can be obtained from the IHO "
     "website or your data supplier",
     "未安装方案管理者数字证书（X509）。",
     "请从国际海道测量组织（IHO）网站或数据供应商获取有效证书，再用“安装证书…”安装。"},
    {SseCode::ServerCertificateNotBySchemeKey, true,
     "The SA Signed Data Server Certificate is invalid. The SA may have issued a new public key or the ENC may "
     "originate from another service. A new SA public key can be obtained from the IHO website or from your data "
     "supplier",
     "经方案管理者签署的数据服务商证书无效。方案管理者可能已发布新的公钥，或该电子海图来自其他服务。",
     "请从国际海道测量组织（IHO）网站或数据供应商获取新的方案管理者公钥并安装。"},
    {SseCode::ServerCertificateMissing, true,
     "SA signed DS Certificate file is not available. A valid certificate can be obtained from the IHO website or "
     "your data supplier",
     "缺少经方案管理者签署的数据服务商证书（签名文件缺失或不含证书）。",
     "该海图未加载，请从国际海道测量组织（IHO）网站或数据供应商获取有效证书，或重新获取海图。"},
    {SseCode::SchemeCertificateFormat, true,
     "SA Digital Certificate (X509) file incorrect format. A valid certificate can be obtained from the IHO website "
     "or your data supplier",
     "方案管理者数字证书（X509）文件格式不正确。",
     "请从国际海道测量组织（IHO）网站或数据供应商获取有效证书，再用“安装证书…”安装。"},
    {SseCode::EncSignatureInvalid, true, "ENC Signature is invalid", "电子海图签名无效。",
     "该海图可能已损坏或被篡改，未予加载；请联系数据供应商重新获取。"},
    {SseCode::NoPermitsForDataServer, true,
     "Permits not available for this Data Server. Contact your data supplier to obtain the correct permits.",
     "没有此数据服务商的海图许可证。", "请联系数据供应商获取正确的许可证。"},
    {SseCode::PermitNotFound, true, "Cell Permit not found. Load the permit file provided by the data supplier.",
     "未找到海图许可证。", "请用“导入许可证…”导入数据供应商提供的许可证文件（PERMIT.TXT）。"},
    {SseCode::PermitFormat, true,
     "Cell Permit format is incorrect. Contact your data supplier and obtain a new permit file.",
     "海图许可证格式不正确。", "请联系数据供应商获取新的许可证文件。"},
    {SseCode::PermitChecksum, true,
     "Cell Permit is invalid (checksum is incorrect) or the Cell Permit is for a different system. Contact your "
     "data supplier and obtain a new or valid permit file.",
     "海图许可证无效（校验和不正确），或该许可证属于其他系统。",
     "请联系数据供应商获取新的或有效的许可证文件（提供本机的用户许可证）。"},
    {SseCode::SystemDateIncorrect, true,
     "Incorrect system date, check that the computer clock (if accessible) is set correctly or contact your system "
     "supplier.",
     "系统日期不正确。", "请检查计算机时钟是否设置正确，或联系系统供应商。"},
    {SseCode::SubscriptionExpired, false,
     "Subscription service has expired. Please contact your data supplier to renew the subscription licence",
     "订阅服务已到期。", "请联系数据供应商续订许可；到期后发行的海图和更新不能安装。"},
    {SseCode::EncCrcIncorrect, true,
     "ENC CRC value is incorrect. Contact your data supplier as ENC(s) may be corrupted or missing data.",
     "电子海图的CRC校验值不正确。", "海图可能已损坏或缺少数据，未予加载；请联系数据供应商。"},
    {SseCode::UserPermitChecksum, true,
     "Userpermit is invalid (checksum is incorrect). Check that the correct hardware device (dongle) is connected "
     "or contact your system supplier to obtain a valid userpermit.",
     "用户许可证无效（校验和不正确）。", "请检查硬件设备（加密狗）是否连接正确，或联系系统供应商获取有效的用户许可证。"},
    {SseCode::HardwareIdFormat, true, "HW_ID is incorrect format", "硬件标识（HW_ID）格式不正确。",
     "请联系系统供应商。"},
    {SseCode::PermitsForOtherSystem, true,
     "Permits are not valid for this system. Contact your data supplier to obtain the correct permits",
     "许可证对本系统无效。", "请联系数据供应商获取本系统的许可证（提供本机的用户许可证）。"},
    {SseCode::SubscriptionExpiring, false,
     "Subscription service will expire in less than 30 days. Please contact your data supplier to renew the "
     "subscription licence",
     "订阅服务将在30天内到期。", "请尽快联系数据供应商续订许可。"},
    {SseCode::DecryptionFailed, true,
     "Decryption failed no valid cell permit found. Permits may be for another system or new permits may be "
     "required, please contact your supplier to obtain a new licence",
     "解密失败，未找到有效的海图许可证。许可证可能属于其他系统，或需要新的许可证。",
     "请联系数据供应商获取新的许可。"},
    {SseCode::SchemeCertificateExpired, true,
     "SA Digital Certificate (X509) has expired. A new SA public key can be obtained from the IHO website or from "
     "your data supplier.",
     "方案管理者数字证书（X509）已过期。",
     "请从国际海道测量组织（IHO）网站或数据供应商获取新的方案管理者证书，再用“安装证书…”安装。"},
    {SseCode::UpdateNotSequential, true,
     "Non sequential update, previous update(s) missing try reloading from the base media. If the problem persists "
     "contact your data supplier.",
     "更新不连续，缺少之前的更新。", "请从基础介质重新加载；如问题仍然存在，请联系数据供应商。"},
    {SseCode::EncSignatureFormat, true, "ENC Signature format incorrect, contact your data supplier",
     "电子海图签名格式不正确。", "该海图未加载，请联系数据供应商。"},
    {SseCode::PermitExpiredWhenShown, false,
     "The permit for ENC <cell> has expired. This cell may be out of date and MUST NOT be used for Primary "
     "NAVIGATION",
     "海图<cell>的许可证已过期。该海图可能不是最新的，不得用于主要导航。", "请联系数据供应商续订许可。"},
    {SseCode::NotAuthenticatedByScheme, false,
     "This ENC is not authenticated by the IHO acting as the Scheme Administrator",
     "此电子海图未经作为方案管理者的国际海道测量组织（IHO）认证。", "请确认海图的来源，或联系数据供应商。"},
    {SseCode::CellNotUpToDate, false,
     "ENC <cell> is not up to date. A New Edition, Re-issue or Update for this cell is missing and therefore MUST "
     "NOT be used for Primary NAVIGATION",
     "海图<cell>不是最新的：缺少新版、重新发行或更新，不得用于主要导航。", "请导入缺少的新版或更新，或联系数据供应商。"},
}};

const SseMessage* find(SseCode code) {
  const int n = sseNumber(code);
  if (n < 1 || n > static_cast<int>(kMessages.size())) return nullptr;
  return &kMessages[static_cast<size_t>(n - 1)];
}

// The message with "<cell>" replaced by the cell's name (dropped, with the
// space before it, when there is none).
std::string withCell(const char* text, std::string_view cell) {
  std::string s(text);
  const std::string_view mark = "<cell>";
  const size_t at = s.find(mark);
  if (at == std::string::npos) return s;
  if (!cell.empty()) return s.replace(at, mark.size(), cell);
  const size_t from = at > 0 && s[at - 1] == ' ' ? at - 1 : at;
  return s.erase(from, at + mark.size() - from);
}

}  // namespace

std::string sseLabel(SseCode code) {
  if (code == SseCode::None) return {};
  char text[16];
  std::snprintf(text, sizeof text, "SSE %02d", sseNumber(code));
  return text;
}

std::string sseEnglish(SseCode code, std::string_view cell) {
  const SseMessage* m = find(code);
  return m ? withCell(m->english, cell) : std::string();
}

std::string sseChinese(SseCode code, std::string_view cell) {
  const SseMessage* m = find(code);
  return m ? withCell(m->chinese, cell) : std::string();
}

std::string sseChineseAction(SseCode code) {
  const SseMessage* m = find(code);
  return m ? std::string(m->action) : std::string();
}

std::string sseEnglishList(const std::vector<SseCode>& codes, std::string_view cell) {
  std::string text;
  for (const SseCode code : codes) {
    if (code == SseCode::None) continue;
    if (!text.empty()) text += "; ";
    text += sseLabel(code) + " - " + sseEnglish(code, cell);
  }
  return text;
}

bool sseRefuses(SseCode code) {
  const SseMessage* m = find(code);
  return m && m->refuses;
}
