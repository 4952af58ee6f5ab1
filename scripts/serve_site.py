#!/usr/bin/python3
"""Serves the built site (scripts/web.sh) on 127.0.0.1 until interrupted.

A file with a brotli or gzip copy beside it (FILE.br, FILE.gz) is sent as
that copy, with Content-Encoding, to a browser whose Accept-Encoding takes
it; other requests get the file itself. Nothing is compressed on the fly.

    serve_site.py DIR PORT
"""
import functools
import http.server
import os
import sys

# In the order preferred: brotli's copies are the smaller.
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".data": "application/octet-stream"}

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            self.send_error(404)
            return None
        accepted = {token.split(";")[0].strip() for token in self.headers.get("Accept-Encoding", "").split(",")}
        encoding, served = next(((name, path + suffix) for name, suffix in ENCODINGS
                                 if name in accepted and os.path.isfile(path + suffix)), (None, path))
        body = open(served, "rb")
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        return body

    def log_message(self, *args):
        pass


class SiteServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A page closed while it loads drops its connection: nothing to report.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def main():
    directory, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(SiteHandler, directory=directory)
    with SiteServer(("127.0.0.1", port), handler) as server:
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
