// The site served by a plain static server on a free loopback port, and
// Debian's Chromium started headless to open it, as the page's tests and its
// benchmark use them.
import { spawn } from 'node:child_process';
import { connect, createServer } from 'node:net';
import puppeteer from 'puppeteer-core';

// The servers running; they end with this process, however it ends.
const servers = new Set();
process.on('exit', () => { for (const server of servers) server.kill(); });

// A folder served at its own address (a port of its own: an origin of its
// own) until stopped.
export async function serveFolder(folder) {
  const port = await new Promise((done) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port: free } = probe.address();
      probe.close(() => done(free));
    });
  });
  const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', String(port), '--directory', folder],
    { stdio: 'ignore' });
  servers.add(server);
  await answering(port, server);
  const stop = () => new Promise((done) => {
    servers.delete(server);
    server.once('exit', done);
    server.kill();
  });
  return { address: `http://127.0.0.1:${port}/index.html`, stop };
}

// Waits until the server takes connections on the port, however long it
// takes to start; fails if it ends first.
async function answering(port, server) {
  for (;;) {
    if (server.exitCode !== null) throw new Error(`the static server on port ${port} ended`);
    const up = await new Promise((done) => {
      const probe = connect(port, '127.0.0.1', () => { probe.end(); done(true); });
      probe.on('error', () => done(false));
    });
    if (up) return;
    await new Promise((done) => setTimeout(done, 50));
  }
}

export async function serveSite(site) {
  const server = await serveFolder(site);
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
  const close = async () => {
    await browser.close();
    await server.stop();
  };
  return { address: server.address, browser, close };
}
