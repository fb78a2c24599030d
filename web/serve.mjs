// Serves a folder over HTTP on 127.0.0.1: `node serve.mjs FOLDER [PORT]`.
// Port 0 picks a free port; the address is printed once listening.
import {createServer} from 'node:http';
import {readFileSync} from 'node:fs';
import {readFile} from 'node:fs/promises';
import {extname, join, normalize} from 'node:path';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.png': 'image/png',
};

// The policy the page also carries in its markup: its own files only.
const policy = readFileSync(new URL('page/csp.txt', import.meta.url), 'utf8').trim();

export function serve(folder, port = 0) {
    const server = createServer(async (request, response) => {
        const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
        const file = join(folder, normalize(path.endsWith('/') ? path + 'index.html' : path));
        if (!file.startsWith(folder)) {
            response.writeHead(403).end();
            return;
        }
        try {
            const body = await readFile(file);
            response.writeHead(200, {'Content-Type': types[extname(file)] ?? 'application/octet-stream',
                                     'Cache-Control': 'no-cache', 'Content-Security-Policy': policy,
                                     'X-Content-Type-Options': 'nosniff'});
            response.end(body);
        } catch {
            response.writeHead(404, {'Content-Type': 'text/plain'}).end('Not found');
        }
    });
    return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (process.argv[1] === new URL(import.meta.url).pathname) {
    const folder = normalize(process.argv[2] ?? '.');
    const server = await serve(folder, Number(process.argv[3] ?? 8000));
    console.log(`Serving ${folder} on http://127.0.0.1:${server.address().port}/`);
}
