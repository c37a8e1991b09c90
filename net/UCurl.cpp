#include "net/UCurl.h"

#include "app/UNachladen.h"

const TCurl* curl() {
  static const TCurl* geladen = [] () -> const TCurl* {
    void* b = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!b) return nullptr;
    static TCurl c;
    const bool ok = symbolLaden(b, c.global_init, "curl_global_init") && symbolLaden(b, c.url, "curl_url") &&
                    symbolLaden(b, c.url_set, "curl_url_set") && symbolLaden(b, c.url_get, "curl_url_get") &&
                    symbolLaden(b, c.url_cleanup, "curl_url_cleanup") && symbolLaden(b, c.free, "curl_free") &&
                    symbolLaden(b, c.easy_init, "curl_easy_init") && symbolLaden(b, c.easy_setopt, "curl_easy_setopt") &&
                    symbolLaden(b, c.easy_perform, "curl_easy_perform") &&
                    symbolLaden(b, c.easy_cleanup, "curl_easy_cleanup") &&
                    symbolLaden(b, c.easy_getinfo, "curl_easy_getinfo") &&
                    symbolLaden(b, c.slist_append, "curl_slist_append") &&
                    symbolLaden(b, c.slist_free_all, "curl_slist_free_all") &&
                    symbolLaden(b, c.multi_init, "curl_multi_init") &&
                    symbolLaden(b, c.multi_add_handle, "curl_multi_add_handle") &&
                    symbolLaden(b, c.multi_remove_handle, "curl_multi_remove_handle") &&
                    symbolLaden(b, c.multi_perform, "curl_multi_perform") &&
                    symbolLaden(b, c.multi_poll, "curl_multi_poll") &&
                    symbolLaden(b, c.multi_info_read, "curl_multi_info_read") &&
                    symbolLaden(b, c.multi_cleanup, "curl_multi_cleanup");
    if (!ok || c.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &c;  // stays loaded for the rest of the run
  }();
  return geladen;
}
