#include "batch/workbook_archive.h"

#include <expat.h>
#include <zip.h>

#include <cstdint>
#include <exception>
#include <new>

namespace varostel::batch {

namespace {

constexpr int kChunkBytes = 64 * 1024;
// Far beyond any real list (a full 1,048,576-row sheet is about 1.5 GiB of
// XML); it stops a small archive that inflates without end.
constexpr std::uint64_t kMostEntryBytes = std::uint64_t{4} << 30;
// The most bytes read with no event delivered, inclusive: one tag, comment
// or other piece of markup. Real ones are a few hundred bytes (character
// data comes in pieces); expat scans an unfinished piece again with every
// chunk, so a small archive holding one of hundreds of MiB would take hours.
constexpr std::uint64_t kMostPieceBytes = std::uint64_t{1} << 20;
// The most a handler may keep from one part, inclusive: a full sheet of
// 1,048,576 rows with two different strings of 30 bytes in each keeps
// about half as much.
constexpr std::size_t kMostKeptBytes = std::size_t{256} << 20;

struct ParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
struct EntryClose {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

std::string_view local_name(const char* name) {
  const std::string_view full(name);
  const std::size_t bar = full.rfind('|');
  return bar == std::string_view::npos ? full : full.substr(bar + 1);
}

// What the C callbacks reach: the handler and, for any exception it threw
// other than running out of memory, that exception to rethrow past expat.
struct Session {
  XML_Parser parser;
  XmlEventHandler& handler;
  std::exception_ptr exception;
  // Bytes handed to expat so far, and as many when it last delivered an event.
  std::uint64_t read = 0;
  std::uint64_t read_at_event = 0;
};

template <typename Event>
void deliver(void* data, Event&& event) {
  auto& session = *static_cast<Session*>(data);
  session.read_at_event = session.read;
  if (session.handler.stopped()) return;
  try {
    event(session.handler);
  } catch (const std::bad_alloc&) {
    session.handler.stop("out of memory");
  } catch (...) {
    session.exception = std::current_exception();
    session.handler.stop();
  }
  if (session.handler.stopped()) XML_StopParser(session.parser, XML_FALSE);
}

void on_start(void* data, const XML_Char* name, const XML_Char** attributes) {
  deliver(data, [&](XmlEventHandler& handler) { handler.start(local_name(name), attributes); });
}
void on_end(void* data, const XML_Char* name) {
  deliver(data, [&](XmlEventHandler& handler) { handler.end(local_name(name)); });
}
void on_text(void* data, const XML_Char* chars, int length) {
  deliver(data, [&](XmlEventHandler& handler) {
    handler.text(std::string_view(chars, static_cast<std::size_t>(length)));
  });
}
// A workbook part has no document type; one that declares it is refused
// rather than have its entities expanded.
void on_doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  deliver(data, [](XmlEventHandler& handler) {
    handler.stop("the workbook holds a document type declaration, which .xlsx parts never have");
  });
}

}  // namespace

void XmlEventHandler::stop(std::string problem, std::size_t row) {
  stopped_ = true;
  problem_ = std::move(problem);
  problem_row_ = row;
}

std::string_view attribute(const char** attributes, std::string_view local) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (local_name(attributes[0]) == local) return attributes[1];
  }
  return {};
}

void WorkbookArchive::Closer::operator()(zip* archive) const { zip_discard(archive); }

std::variant<WorkbookArchive, std::string> WorkbookArchive::open(const std::string& path) {
  int code = 0;
  zip* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (archive == nullptr) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string message = "not a readable .xlsx workbook (" +
                          std::string(zip_error_strerror(&error)) + ")";
    zip_error_fini(&error);
    return message;
  }
  return WorkbookArchive(archive);
}

bool WorkbookArchive::has(const std::string& part) const {
  return zip_name_locate(archive_.get(), part.c_str(), 0) >= 0;
}

bool WorkbookArchive::parse(const std::string& part, XmlEventHandler& handler) const {
  std::unique_ptr<zip_file_t, EntryClose> entry(zip_fopen(archive_.get(), part.c_str(), 0));
  if (!entry) {
    handler.stop("the workbook's part " + part + " cannot be read (" +
                 zip_strerror(archive_.get()) + ")");
    return false;
  }
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, '|'));
  if (!parser) throw std::bad_alloc();
  Session session{parser.get(), handler, nullptr, 0, 0};
  XML_SetUserData(parser.get(), &session);
  XML_SetElementHandler(parser.get(), on_start, on_end);
  XML_SetCharacterDataHandler(parser.get(), on_text);
  XML_SetStartDoctypeDeclHandler(parser.get(), on_doctype);

  std::uint64_t total = 0;
  for (;;) {
    void* buffer = XML_GetBuffer(parser.get(), kChunkBytes);
    if (buffer == nullptr) throw std::bad_alloc();
    const zip_int64_t read = zip_fread(entry.get(), buffer, kChunkBytes);
    if (read < 0) {
      handler.stop("the workbook's part " + part + " cannot be read (" +
                   zip_file_strerror(entry.get()) + ")");
      return false;
    }
    total += static_cast<std::uint64_t>(read);
    if (total > kMostEntryBytes) {
      handler.stop("the workbook's part " + part + " is larger than 4 GiB");
      return false;
    }
    const bool last = read == 0;
    session.read = total;
    const XML_Status status = XML_ParseBuffer(parser.get(), static_cast<int>(read), last);
    if (session.exception) std::rethrow_exception(session.exception);
    if (handler.stopped()) return !handler.problem();
    if (handler.kept() > kMostKeptBytes) {
      handler.stop("the workbook's part " + part + " would take more than 256 MiB of memory to read");
      return false;
    }
    if (status == XML_STATUS_OK && total - session.read_at_event > kMostPieceBytes) {
      handler.stop("the workbook's part " + part + " holds a piece of markup longer than 1 MiB (line " +
                   std::to_string(XML_GetCurrentLineNumber(parser.get())) + ")");
      return false;
    }
    if (status != XML_STATUS_OK) {
      handler.stop("the workbook's part " + part + " is not well-formed XML (line " +
                   std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                   XML_ErrorString(XML_GetErrorCode(parser.get())) + ")");
      return false;
    }
    if (last) return true;
  }
}

}  // namespace varostel::batch
